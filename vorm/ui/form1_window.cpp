#include "ui/form1_window.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include "logic/text.h"
#include "ui/artwork.h"
#include "ui/qt_support.h"

namespace vorm::ui {

namespace {

// A fixed single border, no maximise button.
constexpr Qt::WindowFlags kForm1Flags = Qt::Window | Qt::CustomizeWindowHint |
                                        Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

void setBorder(QLabel* label) {
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setLineWidth(1);
}

}  // namespace

Form1Window::Form1Window(DrillForm& drill)
    : FormWindow("Form1", nullptr, kForm1Flags), drill_(drill) {
  setWindowTitle(qs(kForm1Caption));
  setWindowIcon(formIcon());
  setFixedSize(tw(7680), tw(2745));
  setPalette(formPalette());
  setAutoFillBackground(true);
  setFont(formFont());
  // The form has no control that takes the focus: it receives every key itself,
  // and the text of input methods.
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);

  label9_ = makeLabel("Label9", kStandardCaption, 90, 0, 1230, 240);
  label9_->setAlignment(Qt::AlignCenter);
  setBorder(label9_);
  setBack(label9_, kLight3D);
  label9_->onClick = [this] { drill_.clickLabel9(); };

  auto* label8 = makeLabel("Label8", kHelpCaption, 6795, 0, 825, 240);
  label8->setAlignment(Qt::AlignCenter);
  setBorder(label8);
  setBack(label8, kLight3D);
  label8->onClick = [this] { drill_.clickLabel8(); };

  makeLabel("Label1", kInstruction, 1485, 225, 5055, 285);

  // The two phrase layers: Label3 lies exactly over Label2 in the same
  // fixed-pitch font and centring, so its blanks let the light typed part of
  // Label2 show through.
  label2_ = makeLabel("Label2", "", 255, 465, 7230, 330);
  label3_ = makeLabel("Label3", "", 255, 465, 7230, 330);
  for (auto [label, colour] : {std::pair{label2_, kPhraseLightBlue}, {label3_, kPhraseBlue}}) {
    label->setFont(fixedFont());
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette lp = label->palette();
    lp.setColor(QPalette::WindowText, qcolor(colour));
    label->setPalette(lp);
  }
  label3_->raise();

  auto* label4 = makeLabel("Label4", kBufferTitle, 450, 900, 0, 0);
  label4->adjustSize();
  label6_ = makeLabel("Label6", "", 225, 1170, 7230, 375);
  auto* label5 = makeLabel("Label5", kMemoryTitle, 450, 1800, 0, 0);
  label5->adjustSize();
  label7_ = makeLabel("Label7", "", 225, 2115, 7230, 375);
  for (QLabel* line : {label6_, label7_}) {
    line->setFont(fixedFont());
    line->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    line->setIndent(2);
    setBorder(line);
    setBack(line, kBufferWhite);
  }

  addTimer("Timer1", [this] { return drill_.timer1().enabled(); });
  addTimer("Timer2", [this] { return drill_.timer2().enabled(); });
  centreOnScreen();
}

ClickLabel* Form1Window::makeLabel(const std::string& name, std::string_view caption, int left,
                                   int top, int width, int height) {
  auto* label = new ClickLabel(this);
  label->setTextFormat(Qt::PlainText);
  label->setText(qs(caption));
  label->setGeometry(tw(left), tw(top), tw(width), tw(height));
  addControl(name, label);
  return label;
}

void Form1Window::setBack(QLabel* label, Rgb colour) {
  QPalette pal = label->palette();
  pal.setColor(QPalette::Window, qcolor(colour));
  label->setPalette(pal);
  label->setAutoFillBackground(true);
}

QString Form1Window::visibleText(const std::string& utf8) {
  QString text = qs(utf8);
  for (QChar& c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QChar(0x25A1);
  }
  return text;
}

void Form1Window::sync() {
  const DrillDisplay& d = drill_.display();
  label2_->setText(qs(d.phrase));
  label3_->setText(qs(d.phraseRest));
  label6_->setText(visibleText(d.buffer));
  setBack(label6_, d.bufferBack);
  label7_->setText(qs(d.memory));
  label9_->setText(qs(d.setCaption));
  label9_->setEnabled(d.setToggleEnabled);
}

bool Form1Window::event(QEvent* event) {
  // Every key goes to the drill here, before the widget machinery can take
  // Tab for focus moves: Tab is a typing attempt like any other character.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    std::u32string text = key->text().toStdU32String();
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      text = U"\r";
    } else if (key->key() == Qt::Key_Escape) {
      text = U"\x1b";
    } else if (key->key() == Qt::Key_Delete) {
      text.clear();  // Delete gives no character on the keyboards the drill was made for
    }
    for (char32_t c : text) {
      if (drill_.ended()) break;
      drill_.keyPress(c);
    }
    event->accept();
    return true;
  }
  return FormWindow::event(event);
}

void Form1Window::inputMethodEvent(QInputMethodEvent* event) {
  for (char32_t c : event->commitString().toStdU32String()) {
    if (drill_.ended()) break;
    drill_.keyPress(c);
  }
  event->accept();
}

QVariant Form1Window::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled:
      return true;
    case Qt::ImHints:
      // Plain characters: no prediction or automatic capitals that would type
      // for the user.
      return int(Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase);
    case Qt::ImCursorRectangle:
      // Candidate windows open under the buffer line.
      return QRect(label6_->geometry().bottomLeft(), QSize(1, 1));
    default:
      return FormWindow::inputMethodQuery(query);
  }
}

}  // namespace vorm::ui
