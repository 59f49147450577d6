#pragma once
// Message boxes of the forms. show() returns when the user has closed the box;
// every box of these forms has a single OK button.
#include <string_view>

namespace vorm {

enum class MessageIcon { Critical, Exclamation, Information };

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void show(std::string_view title, std::string_view text, MessageIcon icon) = 0;
};

// Opens an address (mailto: or a web page) with whatever handles it on the desktop.
class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  virtual void openUrl(std::string_view url) = 0;
};

}  // namespace vorm
