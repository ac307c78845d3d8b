// Writes the CP936 tables of IcuCodePage as C++ source, read from ICU's own
// "windows-936-2000" converter, so that the program converts CP936 text
// exactly as ICU does without loading the converter at run time.
//
// Usage: ombrel_make_cp936 OUTPUT.cpp

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp\n", argv[0]);
        return 2;
    }
    UErrorCode status = U_ZERO_ERROR;
    UConverter* conv = ucnv_open("windows-936-2000", &status);
    ucnv_setToUCallBack(conv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(conv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status)) {
        std::fprintf(stderr, "cannot open the CP936 converter\n");
        return 1;
    }

    // Two-byte codes to UTF-16: a pair that ICU does not turn into exactly
    // one character is left 0, and such text goes to ICU itself.
    std::vector<std::uint16_t> decode(126 * 191, 0);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const char bytes[2] = {char(lead), char(trail)};
            UChar out[4];
            status = U_ZERO_ERROR;
            ucnv_resetToUnicode(conv);
            const int32_t n = ucnv_toUChars(conv, out, 4, bytes, 2, &status);
            if (U_SUCCESS(status) && n == 1)
                decode[std::size_t((lead - 0x81) * 191 + (trail - 0x40))] = out[0];
        }
    }
    // UTF-16 to codes: one byte (below 0x100) or two (lead << 8 | trail);
    // 0 where CP936 lacks the character.
    std::vector<std::uint16_t> encode(0x10000, 0);
    for (int c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const UChar in[1] = {UChar(c)};
        char out[8];
        status = U_ZERO_ERROR;
        ucnv_resetFromUnicode(conv);
        const int32_t n = ucnv_fromUChars(conv, out, 8, in, 1, &status);
        if (U_FAILURE(status))
            continue;
        if (n == 1)
            encode[std::size_t(c)] = std::uint8_t(out[0]);
        else if (n == 2)
            encode[std::size_t(c)] = std::uint16_t(std::uint8_t(out[0]) << 8 | std::uint8_t(out[1]));
    }
    // The single byte 0x80 (the euro sign in Windows' table).
    UChar euro[2];
    status = U_ZERO_ERROR;
    ucnv_resetToUnicode(conv);
    const int32_t euroLength = ucnv_toUChars(conv, euro, 2, "\x80", 1, &status);
    ucnv_close(conv);

    std::ofstream file(argv[1]);
    file << "// Made by ombrel_make_cp936 from ICU's windows-936-2000 table. Do not edit.\n"
         << "#include \"platform/linux/Cp936Table.h\"\n\nnamespace cp936 {\n\n"
         << "const char16_t kByte80 = " << (U_SUCCESS(status) && euroLength == 1 ? euro[0] : 0) << ";\n\n"
         << "const char16_t kDecode[126 * 191] = {\n";
    for (std::size_t i = 0; i < decode.size(); ++i)
        file << decode[i] << (i % 16 == 15 ? ",\n" : ",");
    file << "};\n\nconst std::uint16_t kEncode[0x10000] = {\n";
    for (std::size_t i = 0; i < encode.size(); ++i)
        file << encode[i] << (i % 16 == 15 ? ",\n" : ",");
    file << "};\n\n}  // namespace cp936\n";
    return file ? 0 : 1;
}
