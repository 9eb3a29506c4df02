// Text helpers every subsystem shares. Text inside the program is UTF-8 in std::string;
// UTF-16 exists only at the Windows boundary and in the file encodings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kav {

// UTF-8 <-> UTF-16. Invalid input (bad UTF-8 bytes, lone surrogates) becomes U+FFFD;
// nothing is dropped silently and nothing throws.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
std::wstring Utf8ToWide(std::string_view utf8);      // wchar_t is UTF-16 on Windows
std::string WideToUtf8(std::wstring_view wide);

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates, nothing past U+10FFFF).
bool IsValidUtf8(std::string_view bytes);
// The text with every malformed UTF-8 sequence replaced by U+FFFD; well-formed text comes
// back unchanged.
std::string MendUtf8(std::string_view bytes);
// Appends the UTF-8 bytes of one code point (at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t cp);

// Removes every character of code 32 or less from both ends; other blanks (U+3000) stay.
std::string Trim(std::string_view text);
bool IsBlank(std::string_view text);

// Upper-cases the letters a to z only.
std::string UpperAscii(std::string_view text);

// Parses a decimal number ("2.5", "-3", " 4 ") as the number boxes read it; false when the
// text is not a number.
bool TryParseNumber(std::string_view text, double& value);
double NumberOr(std::string_view text, double fallback);
// The same in the user's locale: `decimalSeparator` (",", say) stands where '.' would, and '.'
// is understood as well; a text holding both is not a number.
bool TryParseNumber(std::string_view text, double& value, std::string_view decimalSeparator);

// "%.1f"-style formatting with a fixed number of decimals and '.' as separator.
std::string FormatFixed(double value, int decimals);
// The same with the locale's decimal separator.
std::string FormatFixed(double value, int decimals, std::string_view decimalSeparator);

// Counts UTF-16 units of a UTF-8 text (the unit the Windows text boxes count in).
std::size_t Utf16Length(std::string_view utf8);

// The file name without its folder; both separators are understood.
std::string ExtractFileName(std::string_view path);
// The folder of a path with its trailing separator ("" when there is none).
std::string ExtractFilePath(std::string_view path);
// The path with its extension (the part from the last '.' of the file name) replaced.
std::string ChangeFileExt(std::string_view path, std::string_view extension);

}  // namespace kav
