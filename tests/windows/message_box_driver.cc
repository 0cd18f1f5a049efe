// Shows the Win32 window's message box alone, for the window test under
// Wine, with a text of the test's choosing:
//
//   message_box_driver.exe offer|plain TITLE  < TEXT (UTF-8)
//
// "offer" adds the button "Use it in MAME". Prints which button ended the
// box: "Use it in MAME", or "OK" (OK, Escape, the close button).
#include <cstdio>
#include <string>

#include "ui/message_box-win32.h"

namespace {

std::wstring Wide(const std::string& bytes) {
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  std::string bytes;
  for (int c; (c = std::getchar()) != EOF;) bytes += static_cast<char>(c);
  const bool pressed = brantel::ShowMessageDialog(nullptr, Wide(argv[2]), Wide(bytes), brantel::BoxIcon::kNone,
                                                  std::string(argv[1]) == "offer");
  std::printf("%s\n", pressed ? "Use it in MAME" : "OK");
}
