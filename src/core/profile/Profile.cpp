#include "Profile.h"

#include "core/services/CodePage.h"
#include "core/services/FileStore.h"
#include "core/text/Utf8.h"

namespace {

// The reader's buffer holds 10,000 bytes, the last being the ending zero.
constexpr std::size_t kMaxValueBytes = 9999;

// Why a write cannot be stored so that reading the file gives it back, or
// nothing. The names and the value are given both as text and as the file's
// bytes: a character the code page cannot hold does not come back from the
// bytes, and the reader's rules apply to the bytes.
std::string refusalFor(const CodePage& codePage, const std::string& section, const std::string& sectionBytes,
                       const std::string& key, const std::string& keyBytes, const std::string& value,
                       const std::string& valueBytes)
{
    if (utf8::holdsLineBreak(section) || utf8::holdsLineBreak(key) || utf8::holdsLineBreak(value))
        return "名称或内容含有换行符，无法写入一行";
    // Malformed UTF-8 (a lone surrogate, say) also ends here: it reads back
    // as U+FFFD. The message leaves such text out. ASCII is the same in
    // every code page and needs no check; the list index is mostly ASCII keys.
    const auto comesBack = [&codePage](const std::string& text, const std::string& bytes) {
        return utf8::isAscii(text) || codePage.decode(bytes) == text;
    };
    if (!comesBack(section, sectionBytes) || !comesBack(key, keyBytes) || !comesBack(value, valueBytes))
        return "名称或内容含有设置文件无法保存的字符";
    if (!IniDocument::keyReadsBack(keyBytes))
        return "键名“" + utf8::showingControls(key) + "”无法写入";
    if (!IniDocument::sectionReadsBack(sectionBytes))
        return "节名“" + utf8::showingControls(section) + "”无法写入";
    if (!IniDocument::valueReadsBack(valueBytes))
        return "内容含有空字符，无法写入";
    return {};
}

std::string readReason(const FileBytes& read)
{
    if (!read.ok())
        return "无法读取文件（" + read.error + "）";
    return {};
}

}  // namespace

std::string ProfileResult::message() const
{
    const std::string shown = utf8::showingControls(file);
    if (inFile)
        return "设置已保存到文件 " + shown + "，但未能确认已写入磁盘，断电后可能丢失\n原因：" + reason;
    return "设置未能保存到文件 " + shown + "\n原因：" + reason;
}

std::string profilePath(const std::string& folder)
{
    // A Windows folder is written with backslashes; the file name follows
    // the folder's own separator, and a root folder already ends in one.
    const char separator = (folder.find('/') == std::string::npos && folder.find('\\') != std::string::npos) ? '\\' : '/';
    if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
        return folder + "Ombrel.ini";
    return folder + separator + "Ombrel.ini";
}

std::string readProfileValue(const ProfileAccess& access, const std::string& section, const std::string& key,
                   const std::string& path)
{
    return ProfileSnapshot(access, path).readProfileValue(section, key);
}

ProfileResult writeProfileValue(const ProfileAccess& access, const std::string& section, const std::string& key,
                       const std::string& value, const std::string& path)
{
    ProfileEdit edit(access, path);
    edit.writeProfileValue(section, key, value);
    return edit.commit();
}

const std::string& SectionBytes::operator()(const CodePage& codePage, const std::string& section)
{
    if (!valid_ || section != text_) {
        text_ = section;
        bytes_ = codePage.encode(section);
        valid_ = true;
    }
    return bytes_;
}

ProfileSnapshot::ProfileSnapshot(const ProfileAccess& access, const std::string& path)
    : codePage_(&access.codePage)
{
    FileBytes read = access.files.read(path);
    readError_ = std::move(read.error);
    // What was read before an error is not shown as if it were the whole file.
    ProfileText text = decodeProfileFile(readError_.empty() ? std::move(read.bytes) : std::string());
    encoding_ = text.encoding;
    codePage_ = &documentCodePage(encoding_, access.codePage);
    doc_ = IniDocument::parse(std::move(text.bytes));
}

std::string ProfileSnapshot::readProfileValue(const std::string& section, const std::string& key) const
{
    const auto value = doc_.value(sectionBytes_(*codePage_, section), codePage_->encode(key));
    if (!value)
        return {};
    return codePage_->decode(cutValue(encoding_, *value, kMaxValueBytes));
}

ProfileEdit::ProfileEdit(const ProfileAccess& access, std::string path)
    : access_(access)
    , path_(std::move(path))
    , codePage_(&access.codePage)
{
    FileBytes read = access_.files.read(path_);
    refusal_ = readReason(read);
    ProfileText text = decodeProfileFile(std::move(read.bytes));
    encoding_ = text.encoding;
    codePage_ = &documentCodePage(encoding_, access.codePage);
    doc_ = IniDocument::parse(std::move(text.bytes));
}

void ProfileEdit::writeProfileValue(const std::string& section, const std::string& key, const std::string& value)
{
    if (!refusal_.empty())
        return;
    const CodePage& codePage = *codePage_;
    const std::string& sectionBytes = sectionBytes_(codePage, section);
    const std::string keyBytes = codePage.encode(key);
    const std::string valueBytes = codePage.encode(value);
    refusal_ = refusalFor(codePage, section, sectionBytes, key, keyBytes, value, valueBytes);
    if (!refusal_.empty())
        return;
    doc_.setValue(sectionBytes, keyBytes, valueBytes);
    changed_ = true;
}

ProfileResult ProfileEdit::commit()
{
    if (!refusal_.empty())
        return {path_, refusal_};
    // A secret already stored unchanged is still made private: the file may
    // have become readable by others since it was written.
    if (!changed_ && readers_ == FileReaders::AsBefore)
        return {path_, {}};
    const Replacement replaced = access_.files.replace(path_, encodeProfileFile(encoding_, doc_.serialize()), readers_);
    return {path_, replaced.reason, replaced.inFile};
}
