// The office's default delivery-note template "Lieferschein_Standard.xltx", built from code.
#pragma once

#include <filesystem>

namespace ls::demo {

void writeDefaultTemplate(const std::filesystem::path& file);

}  // namespace ls::demo
