#include "script.h"

#include <algorithm>
#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>

#include "frm1.h"
#include "frmpause.h"
#include "frmstat.h"
#include "frmtre.h"
#include "frmza.h"
#include "speed.h"
#include "text.h"

namespace pirvo3 {

namespace {

std::string escapeBreaks(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\\n";
    } else if (text[i] == '\n') {
      out += "\\n";
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string hex(Rgb color) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06X", static_cast<unsigned>(color & 0xFFFFFF));
  return buf;
}

// The designs of the program's forms, to tell an unknown control from one
// on a form that is not open.
const std::vector<Control>* designOf(const std::string& form) {
  static const std::vector<Control> frmtre = Frmtre::design();
  static const std::vector<Control> frm1 = Frm1::design();
  static const std::vector<Control> frmpause = Frmpause::design();
  static const std::vector<Control> frmza = Frmza::design();
  static const std::vector<Control> frmstat = Frmstat::design();
  if (form == "frmstat") return &frmstat;
  if (form == "frmtre") return &frmtre;
  if (form == "frm1") return &frm1;
  if (form == "frmpause") return &frmpause;
  if (form == "frmza") return &frmza;
  return nullptr;
}

std::string trim(const std::string& s) {
  const auto begin = s.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  const auto end = s.find_last_not_of(" \t");
  return s.substr(begin, end - begin + 1);
}

}  // namespace

ScriptOutput::ScriptOutput(std::ostream& out, FormHost* inner) : out_(out), inner_(inner) {}

void ScriptOutput::formOpened(Form& form) {
  out_ << "open " << form.name() << '\n';
  if (inner_) inner_->formOpened(form);
}

void ScriptOutput::formClosed(Form& form) {
  out_ << "closed " << form.name() << '\n';
  if (inner_) inner_->formClosed(form);
}

void ScriptOutput::formRaised(Form& form) {
  if (inner_) inner_->formRaised(form);
}

void ScriptOutput::focusMoved(Form& form, Control& control) {
  if (inner_) inner_->focusMoved(form, control);
}

void ScriptOutput::refresh() {
  if (inner_) inner_->refresh();
}

void ScriptOutput::ended() {
  out_ << "exit\n";
  out_.flush();
  if (inner_) inner_->ended();
}

void ScriptOutput::show(const std::string& title, const std::string& text, MessageIcon) {
  out_ << "msgbox " << escapeBreaks(title) << " | " << escapeBreaks(text) << '\n';
}

bool ScriptOutput::ask(const std::string& title, const std::string& text, MessageIcon icon,
                       const std::string& otherButton) {
  show(title, text, icon);
  if (answer_.empty() || answer_ != otherButton) return false;
  answer_.clear();
  return true;
}

bool ScriptOutput::openUrl(const std::string& url) {
  out_ << "url " << url << '\n';
  return true;
}

void ScriptOutput::activateKeyboardLayout(std::uint32_t) {}

std::string dumpForm(const Form& form) {
  std::vector<const Control*> order;
  for (const auto& c : form.controls()) order.push_back(&c);
  std::sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
    return a->name != b->name ? a->name < b->name : a->index < b->index;
  });
  std::ostringstream out;
  out << form.name() << " caption=" << escapeBreaks(form.caption) << '\n';
  for (const Control* c : order) {
    out << form.name() << '.' << c->id() << " visible=" << (c->visible ? 1 : 0)
        << " enabled=" << (c->enabled ? 1 : 0) << " bg=" << hex(c->shownBack())
        << " fg=" << hex(c->fore) << " caption=" << escapeBreaks(c->caption) << '\n';
    auto joined = [](const std::vector<std::string>& cells) {
      std::string line;
      for (std::size_t i = 0; i < cells.size(); ++i) line += (i ? " | " : "") + escapeBreaks(cells[i]);
      return line;
    };
    const std::string prefix = form.name() + '.' + c->id();
    for (std::size_t row = 0; row < c->cells.size(); ++row) {
      out << prefix << " row " << row << ": " << joined(c->cells[row]) << '\n';
    }
    if (c->kind == ControlKind::Chart && !c->categories.empty()) {
      out << prefix << " categories: " << joined(c->categories) << '\n';
      for (const ChartSeries& s : c->series) {
        std::vector<std::string> values;
        for (std::int64_t v : s.milli) values.push_back(formatSpeed(v, "."));
        out << prefix << " series " << s.name << (s.bars ? " (bars)" : "") << ": "
            << joined(values) << '\n';
      }
    }
  }
  return out.str();
}

std::u32string unescapeKeys(const std::string& text) {
  const std::u32string in = toUtf32(text);
  std::u32string out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] != U'\\' || i + 1 == in.size()) {
      out.push_back(in[i]);
      continue;
    }
    switch (in[i + 1]) {
      case U'n': out.push_back(kKeyEnter); break;
      case U'e': out.push_back(kKeyEscape); break;
      case U'b': out.push_back(kKeyBackspace); break;
      case U't': out.push_back(kKeyTab); break;
      case U'\\': out.push_back(U'\\'); break;
      default:
        out.push_back(U'\\');
        continue;
    }
    ++i;
  }
  return out;
}

ScriptRunner::ScriptRunner(App& app, VirtualClock& clock, std::ostream& out, std::ostream& err,
                           ShotFunction shot)
    : app_(app), clock_(clock), out_(out), err_(err), shot_(std::move(shot)) {}

bool ScriptRunner::openForm(const std::string& name, Form*& form, std::string& error) const {
  if (!designOf(name)) {
    error = "unknown form '" + name + "'";
    return false;
  }
  form = app_.form(name);
  if (!form) {
    error = "form " + name + " is not open";
    return false;
  }
  return true;
}

bool ScriptRunner::resolve(const std::string& ref, Target& target, std::string& error) const {
  const auto dot = ref.find('.');
  if (dot == std::string::npos) {
    error = "unknown control '" + ref + "' (expected FORM.CONTROL)";
    return false;
  }
  const std::string formName = ref.substr(0, dot);
  std::string name = ref.substr(dot + 1);
  int index = -1;
  const auto paren = name.find('(');
  if (paren != std::string::npos) {
    const std::string digits = name.substr(paren + 1, name.size() - paren - 2);
    const bool wellFormed = name.back() == ')' && !digits.empty() && digits.size() < 4 &&
                            std::all_of(digits.begin(), digits.end(),
                                        [](char ch) { return ch >= '0' && ch <= '9'; });
    if (!wellFormed) {
      error = "unknown control '" + ref + "'";
      return false;
    }
    index = std::stoi(digits);
    name.resize(paren);
  }
  const std::vector<Control>* design = designOf(formName);
  const bool known = design && std::any_of(design->begin(), design->end(), [&](const Control& c) {
                       return c.name == name && c.index == index;
                     });
  if (!known) {
    error = "unknown control '" + ref + "'";
    return false;
  }
  if (!openForm(formName, target.form, error)) return false;
  target.control = target.form->find(name, index);
  return target.control != nullptr;
}

int ScriptRunner::execute(const std::string& line, std::string& error) {
  const auto space = line.find(' ');
  const std::string command = line.substr(0, space);
  const std::string rest = space == std::string::npos ? std::string() : line.substr(space + 1);
  const std::string arg = trim(rest);

  if (command == "hover" || command == "click") {
    Target t;
    if (!resolve(arg, t, error)) return 2;
    if (command == "hover") {
      app_.mouseMove(*t.form, *t.control);
    } else {
      app_.click(*t.form, *t.control);
    }
  } else if (command == "type") {
    for (char32_t key : unescapeKeys(rest)) {
      if (app_.ended()) break;
      app_.typeKey(key);
    }
  } else if (command == "key") {
    static const std::pair<const char*, FormKey> kKeys[] = {
        {"up", FormKey::Up},         {"down", FormKey::Down}, {"enter", FormKey::Enter},
        {"esc", FormKey::Escape},    {"f1", FormKey::F1}};
    const auto* found = std::find_if(std::begin(kKeys), std::end(kKeys),
                                     [&](const auto& k) { return arg == k.first; });
    if (found == std::end(kKeys)) {
      error = "key needs one of up, down, enter, esc, f1, not '" + arg + "'";
      return 2;
    }
    app_.typeFormKey(found->second);
  } else if (command == "paste") {
    app_.pasteText(toUtf8(unescapeKeys(rest)));
  } else if (command == "wait") {
    const bool digits = !arg.empty() && arg.size() < 12 &&
                        std::all_of(arg.begin(), arg.end(),
                                    [](char ch) { return ch >= '0' && ch <= '9'; });
    if (!digits) {
      error = "wait needs a number of milliseconds, not '" + arg + "'";
      return 2;
    }
    clock_.advance(std::stoll(arg));
  } else if (command == "close") {
    Form* form = nullptr;
    if (!openForm(arg, form, error)) return 2;
    app_.closeBox(*form);
  } else if (command == "dump") {
    if (!arg.empty()) {
      Form* form = nullptr;
      if (!openForm(arg, form, error)) return 2;
      out_ << dumpForm(*form);
    } else {
      for (Form* form : app_.openForms()) out_ << dumpForm(*form);
    }
  } else if (command == "answer") {
    // The boxes of a scripted run are answered by its printer.
    auto* answers = dynamic_cast<ScriptOutput*>(&app_.messages());
    if (arg.empty() || !answers) {
      error = arg.empty() ? "answer needs the caption of a button" : "no message boxes to answer";
      return 2;
    }
    answers->answerNext(arg);
  } else if (command == "shot") {
    const auto gap = arg.find(' ');
    if (gap == std::string::npos) {
      error = "shot needs a form and a file";
      return 2;
    }
    Form* form = nullptr;
    if (!openForm(arg.substr(0, gap), form, error)) return 2;
    const std::string path = trim(arg.substr(gap + 1));
    std::string why = "no window layer";
    if (!shot_ || !shot_(*form, path, why)) {
      error = "cannot write " + path + ": " + why;
      return 1;
    }
  } else {
    error = "unknown command '" + command + "'";
    return 2;
  }
  return 0;
}

int ScriptRunner::run(std::istream& script) {
  app_.start();
  std::string line;
  int number = 0;
  while (!app_.ended() && std::getline(script, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string bare = trim(line);
    if (bare.empty() || bare.front() == '#') continue;
    std::string error;
    const int status = execute(line.substr(line.find_first_not_of(" \t")), error);
    if (status != 0) {
      err_ << "line " << number << ": " << error << '\n';
      status_ = std::max(status_, status);
      if (status == 2) break;
    }
  }
  app_.quit();
  out_.flush();
  return status_;
}

}  // namespace pirvo3
