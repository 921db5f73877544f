#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace taskwell {

// Fill routines for fixed-column text. Widths count characters (UTF-8 code points in UTF-8 text),
// so columns stay aligned with non-ASCII names; a text already that long comes back unchanged.
std::string PadRight(std::string_view text, std::size_t width);
std::string PadLeft(std::string_view text, std::size_t width);
std::string PadRightWith(std::string_view text, std::size_t width, char fill);
// The same, appended to `out`, for lines built in one reused buffer.
void AppendPadRight(std::string& out, std::string_view text, std::size_t width);
void AppendPadLeft(std::string& out, std::string_view text, std::size_t width);

}  // namespace taskwell
