// The encodings of the program's text files (playlist files, ultima.lis,
// the copy log): Windows-1252 whenever every character fits, so that such
// files stay byte for byte what older versions wrote and read; otherwise
// UTF-8 after its byte order mark.
#pragma once

#include <string>
#include <string_view>

// The byte order mark that opens a UTF-8 file.
extern const char kUtf8Mark[];  // "\xEF\xBB\xBF"

// Whether every character of the UTF-8 text has a Windows-1252 byte.
bool FitsWindows1252(std::string_view text);
// The Windows-1252 bytes of a text that fits; a character that does not
// becomes "?".
std::string ToWindows1252(std::string_view text);

// A whole file's bytes for a UTF-8 text: Windows-1252 when it fits,
// otherwise the mark and the text.
std::string EncodeTextFile(const std::string& text);
// The UTF-8 text of a file's bytes: after the mark, UTF-8; after FF FE or
// FE FF, UTF-16 little- or big-endian (Notepad's "Unicode"); without a mark, a
// text that is valid UTF-8 with a byte above 0x7F is UTF-8 (written by an
// editor that knows nothing else); anything else is Windows-1252.
std::string DecodeTextFile(std::string_view bytes);
