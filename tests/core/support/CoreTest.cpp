#include "CoreTest.h"

#include "core/text/Utf8.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace {

std::filesystem::path fromUtf8(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string toUtf8(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

const CoreServices& coreServices()
{
    static const CoreServices services = makeCoreServices();
    return services;
}

ProfileAccess profileAccess()
{
    return {*coreServices().files, *coreServices().codePage};
}

std::string hex(const char* digits)
{
    std::string bytes;
    for (const char* d = digits; d[0] && d[1]; d += 2)
        bytes.push_back(char(std::stoi(std::string(d, 2), nullptr, 16)));
    return bytes;
}

TempFolder::TempFolder()
{
    static std::atomic<unsigned> made{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    dir_ = std::filesystem::temp_directory_path()
           / ("ombrel-test-" + std::to_string(stamp) + "-" + std::to_string(made++) + "-"
              + std::to_string(std::random_device{}()));
    if (!std::filesystem::create_directory(dir_))
        throw std::runtime_error("cannot make a temporary folder");
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    // Read-only files left by a test must not stop the removal.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_, ignored))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
    std::filesystem::remove_all(dir_, ignored);
}

std::string TempFolder::path() const
{
    return toUtf8(dir_);
}

std::string TempFolder::file(const std::string& name) const
{
    return toUtf8(dir_ / fromUtf8(name));
}

std::string TempFolder::profile() const
{
    return profilePath(path());
}

void TempFolder::writeBytes(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(dir_ / fromUtf8(name), std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), std::streamsize(bytes.size())))
        throw std::runtime_error("cannot write test file");
}

std::string TempFolder::readBytes(const std::string& name) const
{
    std::ifstream in(dir_ / fromUtf8(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void TempFolder::writeProfile(const std::string& text) const
{
    writeBytes("Ombrel.ini", coreServices().codePage->encode(utf8::replaceAll(text, "\n", "\r\n")));
}

std::vector<std::string> TempFolder::entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        names.push_back(toUtf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}
