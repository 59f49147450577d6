#include "app.h"

#include <algorithm>

#include "frm1.h"
#include "frmpause.h"
#include "frmstat.h"
#include "frmtre.h"
#include "frmza.h"

namespace pirvo3 {

App::App(TimerService& timers, MessageSink& messages, Desktop& desktop, FormHost& host,
         AppConfig config)
    : timers_(timers), messages_(messages), desktop_(desktop), host_(host),
      config_(std::move(config)) {}

App::~App() = default;

void App::dispatch(const std::function<void()>& fn) {
  struct Depth {
    App& app;
    explicit Depth(App& a) : app(a) { ++app.depth_; }
    ~Depth() {
      if (--app.depth_ == 0) {
        app.settle();
      } else {
        app.host_.refresh();
      }
    }
  } depth(*this);
  fn();
}

void App::settle() {
  closed_.clear();
  if (ended_) return;
  host_.refresh();
  if (started_ && stacking_.empty()) {
    ended_ = true;
    host_.ended();
  }
}

void App::start() {
  if (started_) return;
  started_ = true;
  dispatch([&] { show(frmtre_); });
}

void App::quit() {
  if (ended_) return;
  ended_ = true;
  host_.ended();
}

template <typename F>
void App::show(std::unique_ptr<F>& slot) {
  if (slot) {
    activate(*slot);
    slot->shownAtMs = timers_.nowMs();
    host_.formRaised(*slot);
    return;
  }
  slot = std::make_unique<F>(*this);
  slot->shownAtMs = timers_.nowMs();
  stacking_.push_back(slot.get());
  host_.formOpened(*slot);
  slot->load();
}

Frm1& App::showFrm1() {
  show(frm1_);
  return *frm1_;
}

void App::showFrmpause() { show(frmpause_); }
void App::showFrmza() { show(frmza_); }

void App::showFrmstat(int lesson) {
  const bool wasOpen = frmstat_ != nullptr;
  show(frmstat_);
  if (lesson >= 0) {
    frmstat_->showLesson(lesson);
  } else if (wasOpen) {
    frmstat_->showChosenLesson();
  }
}

void App::recordRun(const RunRecord& run) {
  if (!config_.history) return;
  const StoreResult result = config_.history->add(run);
  if (!result.ok) {
    message(kAppTitle, recordFailureText(result), MessageIcon::Warning);
  } else if (!result.setAside.empty()) {
    message(kAppTitle, setAsideText(result), MessageIcon::Warning);
  }
  if (frmstat_) frmstat_->reload();
}

void App::activate(Form& form) {
  auto it = std::find(stacking_.begin(), stacking_.end(), &form);
  if (it == stacking_.end()) return;
  stacking_.erase(it);
  stacking_.push_back(&form);
}

void App::close(Form& form) {
  auto it = std::find(stacking_.begin(), stacking_.end(), &form);
  if (it == stacking_.end()) return;
  stacking_.erase(it);
  form.unload();
  host_.formClosed(form);
  const bool typingScreen = &form == frm1_.get();
  const int statisticsOf = typingScreen && frm1_->statisticsWanted() ? frm1_->lesson() : -2;
  if (&form == frmtre_.get()) closed_.push_back(std::move(frmtre_));
  if (&form == frm1_.get()) closed_.push_back(std::move(frm1_));
  if (&form == frmpause_.get()) closed_.push_back(std::move(frmpause_));
  if (&form == frmza_.get()) closed_.push_back(std::move(frmza_));
  if (&form == frmstat_.get()) closed_.push_back(std::move(frmstat_));
  // The dialogs act on the typing screen's state; left open without it
  // their buttons would have nothing to act on.
  if (typingScreen) {
    if (frmpause_) close(*frmpause_);
    if (frmza_) close(*frmza_);
    // The summary's "Статистика" button: the statistics of the lesson just
    // recorded, once the screen is gone.
    if (statisticsOf != -2) showFrmstat(statisticsOf);
  }
}

void App::giveFocus(Form& form, Control& control) {
  if (!control.focusable()) return;
  activate(form);
  form.setFocus(&control);
  host_.focusMoved(form, control);
}

void App::message(const std::string& title, const std::string& text, MessageIcon icon) {
  host_.refresh();
  messages_.show(title, text, icon);
}

bool App::ask(const std::string& title, const std::string& text, MessageIcon icon,
              const std::string& otherButton) {
  host_.refresh();
  return messages_.ask(title, text, icon, otherButton);
}

Form* App::form(std::string_view name) const {
  for (Form* f : openForms()) {
    if (f->name() == name) return f;
  }
  return nullptr;
}

std::vector<Form*> App::openForms() const {
  std::vector<Form*> out;
  if (frmtre_) out.push_back(frmtre_.get());
  if (frm1_) out.push_back(frm1_.get());
  if (frmpause_) out.push_back(frmpause_.get());
  if (frmza_) out.push_back(frmza_.get());
  if (frmstat_) out.push_back(frmstat_.get());
  return out;
}

Form* App::activeForm() const { return stacking_.empty() ? nullptr : stacking_.back(); }

namespace {
bool isOpen(const std::vector<Form*>& stacking, const Form& form) {
  return std::find(stacking.begin(), stacking.end(), &form) != stacking.end();
}
}  // namespace

void App::mouseMove(Form& form, Control& control) {
  if (ended_) return;
  dispatch([&] {
    if (isOpen(stacking_, form) && control.visible && control.enabled) form.mouseMove(control);
  });
}

void App::click(Form& form, Control& control) {
  if (ended_) return;
  dispatch([&] {
    if (!isOpen(stacking_, form) || !control.visible || !control.enabled) return;
    activate(form);
    if (control.focusable() && control.clickFocus) form.setFocus(&control);
    form.click(control);
  });
}

void App::keyPress(Form& form, Control& control, char32_t key) {
  if (ended_) return;
  dispatch([&] {
    if (!isOpen(stacking_, form) || !control.focusable()) return;
    if (key == kKeyTab) {
      form.focusNext();
      if (form.focus()) host_.focusMoved(form, *form.focus());
      return;
    }
    if (control.kind == ControlKind::TextBox) {
      form.keyPress(control, key);
    } else if (control.kind == ControlKind::CommandButton && (key == kKeyEnter || key == U' ')) {
      // A dialog that has just opened ignores keys: they belong to the word
      // the user was typing. (A clock running backwards, past midnight,
      // counts as long enough.)
      const std::int64_t shownFor = timers_.nowMs() - form.shownAtMs;
      if (form.fixedDialog && shownFor >= 0 && shownFor < kDialogKeyDelayMs) return;
      form.click(control);
    }
  });
}

void App::formKey(Form& form, FormKey key) {
  if (ended_) return;
  dispatch([&] {
    if (isOpen(stacking_, form)) form.formKey(key);
  });
}

void App::typeFormKey(FormKey key) {
  if (Form* form = activeForm()) formKey(*form, key);
}

void App::paste(Form& form, Control& control, const std::string& text) {
  if (ended_) return;
  dispatch([&] {
    if (isOpen(stacking_, form) && control.kind == ControlKind::TextBox && control.focusable()) {
      form.change(control, text);
    }
  });
}

void App::closeBox(Form& form) {
  if (ended_) return;
  dispatch([&] { close(form); });
}

WindowSize App::resize(Form& form, const WindowSize& size) {
  WindowSize out = size;
  dispatch([&] { out = form.resize(size); });
  return out;
}

void App::typeKey(char32_t key) {
  Form* form = activeForm();
  if (form && form->focus()) keyPress(*form, *form->focus(), key);
}

void App::pasteText(const std::string& text) {
  Form* form = activeForm();
  if (form && form->focus()) paste(*form, *form->focus(), text);
}

}  // namespace pirvo3
