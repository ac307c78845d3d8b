#pragma once

#include "core/profile/Profile.h"
#include "platform/CoreServices.h"

#include <filesystem>
#include <string>
#include <vector>

// The system's own code page, list order and files, as the program uses them,
// made once for all tests of a run.
const CoreServices& coreServices();
ProfileAccess profileAccess();

// Bytes written as hex digits, "A1F1" for "\xA1\xF1".
std::string hex(const char* digits);

// A private folder for one test, removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Paths are UTF-8 text, as the program passes them.
    std::string path() const;
    std::string file(const std::string& name) const;
    std::string profile() const;

    void writeBytes(const std::string& name, const std::string& bytes) const;
    std::string readBytes(const std::string& name) const;
    // Writes a profile from UTF-8 text, stored in the code page with CR LF line ends.
    void writeProfile(const std::string& text) const;
    // Names of every file in the folder, sorted, to see that nothing was left behind.
    std::vector<std::string> entries() const;

private:
    std::filesystem::path dir_;
};
