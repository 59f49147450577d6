#pragma once
// Message boxes and links on a real desktop.
#include <QPointer>
#include <QWidget>

#include "logic/message_sink.h"

namespace vorm::ui {

class QtMessageSink final : public MessageSink {
 public:
  void setOwner(QWidget* owner) { owner_ = owner; }
  void show(std::string_view title, std::string_view text, MessageIcon icon) override;

 private:
  QPointer<QWidget> owner_;
};

// Opens addresses with the desktop's default handler (mail program, browser).
class DesktopUrlOpener final : public UrlOpener {
 public:
  void openUrl(std::string_view url) override;
};

}  // namespace vorm::ui
