#include "ui/vorm_app.h"

#include <QTimer>

namespace vorm::ui {

VormApp::VormApp(TimerFactory& timers, MessageSink& messages, UrlOpener& opener, Hooks hooks)
    : messages_(messages), opener_(opener), hooks_(std::move(hooks)) {
  drill_ = std::make_unique<DrillForm>(timers, messages, *this);
  form1_ = std::make_unique<Form1Window>(*drill_);
  form1_->onClosed = [this] { form1Closed(); };
}

VormApp::~VormApp() {
  // The about box is a child of Form1 and goes with it.
  if (form1_) form1_->onClosed = nullptr;
  if (about_) about_->onClosed = nullptr;
  form1_.reset();
}

void VormApp::start() {
  form1Open_ = true;
  if (hooks_.opened) hooks_.opened("Form1");
  drill_->load();
  form1_->show();
  form1_->activateWindow();
}

std::vector<FormWindow*> VormApp::openForms() const {
  std::vector<FormWindow*> forms;
  if (form1Open_) forms.push_back(form1_.get());
  if (about_) forms.push_back(about_.data());
  return forms;
}

FormWindow* VormApp::openForm(const std::string& name) const {
  for (FormWindow* form : openForms()) {
    if (form->formName() == name) return form;
  }
  return nullptr;
}

void VormApp::showAbout() {
  if (!about_) {
    // A closed about box was discarded; a new one starts from its design.
    about_ = new AboutWindow(form1_.get(), opener_);
    about_->setAttribute(Qt::WA_DeleteOnClose);
    AboutWindow* box = about_.data();
    about_->onClosed = [this, box] {
      box->onClosed = nullptr;
      if (about_ == box) about_.clear();
      if (hooks_.closed) hooks_.closed("about");
    };
    if (hooks_.opened) hooks_.opened("about");
  }
  if (about_->isVisible()) about_->raise();  // open already: bring it to the front
  about_->show();
  about_->activateWindow();
}

void VormApp::unloadAbout() {
  if (about_) about_->close();
}

void VormApp::endProgram() {
  if (ended_) return;
  unloadAbout();
  if (form1Open_) form1_->close();  // reaches form1Closed, which ends the run
  finish();
}

void VormApp::finish() {
  if (ended_) return;
  ended_ = true;
  if (hooks_.ended) hooks_.ended();
}

void VormApp::form1Closed() {
  if (!form1Open_) return;
  drill_->unload();  // takes the about box along
  unloadAbout();
  form1Open_ = false;
  if (hooks_.closed) hooks_.closed("Form1");
  finish();
}

void VormApp::changed() {
  form1_->sync();
  adviseOnLayout();
}

void VormApp::setKeyboardAlphabets(std::set<Alphabet> alphabets) {
  advisor_.setAvailable(std::move(alphabets));
  adviseOnLayout();
}

void VormApp::adviseOnLayout() {
  if (ended_ || drill_->ended()) return;
  const std::u32string_view phrase = drill_->currentPhrase();
  const auto next = static_cast<size_t>(drill_->typedCount());
  if (next >= phrase.size()) return;
  std::optional<Advice> advice = advisor_.check(phrase[next]);
  if (!advice) return;
  // Shown once the handler that changed the phrase is over and the window
  // is on screen, not in the middle of the drill's own messages.
  QTimer::singleShot(0, form1_.get(), [this, advice = std::move(*advice)] {
    if (!ended_) messages_.show(advice.title, advice.text, MessageIcon::Information);
  });
}

}  // namespace vorm::ui
