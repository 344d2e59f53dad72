// The texts the reports carry, as UTF-8. Saves and Data files are Windows-1252
// byte strings, and so are the names of files and folders on the systems the
// games run on; every text a report shows (paths, tags, keys, places, names)
// is therefore read by one rule, Windows-1252, whatever its bytes, so that the
// same bytes always give the same text in every report. Bytes that already
// form UTF-8 are read the same way ("é" in UTF-8 shows as "Ã©"): no guessing
// per text. The five bytes that code page leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become U+FFFD, the replacement character, so that they show.
#pragma once

#include <string>
#include <string_view>

std::string Utf8FromWindows1252(std::string_view bytes);
