#include "settings/menu_text.h"

#include "platform/text.h"

namespace settings {

std::string CollapseDoubledBackslashes(std::string_view text, size_t keep) {
  if (keep > text.size()) keep = text.size();
  std::string out(text.substr(0, keep));
  out.reserve(text.size());
  for (size_t i = keep; i < text.size(); ++i) {
    const char c = text[i];
    if (text::IsLeadByte(static_cast<unsigned char>(c))) {
      out += c;
      if (i + 1 < text.size()) out += text[++i];
      continue;
    }
    out += c;
    if (c == '\\' && i + 1 < text.size() && text[i + 1] == '\\') ++i;
  }
  return out;
}

std::string MenuCommandText(std::string_view runDirectory, std::string_view executableName) {
  const std::string joined =
      text::Join({"\"", runDirectory, "\\", executableName, "\" \"%1\""});
  const bool network = runDirectory.substr(0, 2) == "\\\\";
  // The opening quote, and for a network path the two backslashes after it.
  return CollapseDoubledBackslashes(joined, network ? 3 : 1);
}

}  // namespace settings
