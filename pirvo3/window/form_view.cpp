#include "form_view.h"

#include <iostream>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QHeaderView>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QLineSeries>
#include <QScreen>
#include <QTableWidget>
#include <QValueAxis>

#include "keyboard_layer.h"

namespace pirvo3 {

namespace {

QColor color(Rgb rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The faces of the design through metric-compatible fonts found on Linux
// desktops.
QFont fontFor(const Font& f) {
  QFont font;
  switch (f.face) {
    case FontFace::MsSansSerif:
    case FontFace::Arial:
      font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                        QStringLiteral("DejaVu Sans")});
      break;
    case FontFace::TimesNewRoman:
      font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman"),
                        QStringLiteral("DejaVu Serif")});
      break;
    case FontFace::CourierNew:
      font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"),
                        QStringLiteral("DejaVu Sans Mono")});
      break;
  }
  font.setPixelSize(f.pixels);
  font.setBold(f.bold);
  font.setItalic(f.italic);
  font.setUnderline(f.underline);
  return font;
}

QRect place(const Control& c) { return {px(c.left), px(c.top), px(c.width), px(c.height)}; }

// Whether the view's form is still there to take input.
bool live(const FormView* view) { return view && view->form(); }

class LabelWidget : public QLabel {
 public:
  LabelWidget(FormView* view, Control& control) : QLabel(view), view_(view), control_(control) {
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setMargin(0);
    setIndent(0);
  }

 protected:
  void mouseMoveEvent(QMouseEvent* event) override {
    if (live(view_)) view_->app().mouseMove(*view_->form(), control_);
    QLabel::mouseMoveEvent(event);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        live(view_)) {
      view_->app().click(*view_->form(), control_);
    }
  }

 private:
  FormView* view_;
  Control& control_;
};

class ShapeWidget : public QWidget {
 public:
  ShapeWidget(FormView* view, const Control& control)
      : QWidget(view), view_(view), control_(control) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!live(view_)) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, control_.shape == ShapeKind::RoundedRectangle);
    const int w = control_.borderWidth;
    const QRectF r = QRectF(rect()).adjusted(w / 2.0, w / 2.0, -w / 2.0, -w / 2.0);
    const qreal radius = std::min<qreal>(std::min(r.width(), r.height()) / 8.0, 16.0);
    auto outline = [&](QPainter& painter) {
      if (control_.shape == ShapeKind::RoundedRectangle) {
        painter.drawRoundedRect(r, radius, radius);
      } else {
        painter.drawRect(r);
      }
    };
    p.setPen(Qt::NoPen);
    if (control_.opaque) {
      p.setBrush(color(control_.back));
      outline(p);
    }
    if (control_.fill == FillStyle::Solid) {
      p.setBrush(color(control_.fillColor));
      outline(p);
    } else if (control_.fill == FillStyle::DiagonalCross) {
      p.setBrush(QBrush(color(control_.fillColor), Qt::DiagCrossPattern));
      outline(p);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color(control_.fore), w));
    outline(p);
  }

 private:
  FormView* view_;
  const Control& control_;
};

class LineWidget : public QWidget {
 public:
  LineWidget(FormView* view, const Control& control)
      : QWidget(view), view_(view), control_(control) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!live(view_)) return;
    QPainter p(this);
    p.setPen(QPen(color(control_.fore), control_.borderWidth));
    p.drawLine(0, 0, px(control_.width), px(control_.height));
  }

 private:
  FormView* view_;
  const Control& control_;
};

class ButtonWidget : public QPushButton {
 public:
  ButtonWidget(FormView* view, Control& control) : QPushButton(view), view_(view), control_(control) {
    setFocusPolicy(control.clickFocus ? Qt::StrongFocus : Qt::TabFocus);
    connect(this, &QPushButton::clicked, this, [this] {
      if (live(view_)) view_->app().click(*view_->form(), control_);
    });
  }

 protected:
  // A focused command button is pressed by Enter as well as by the space
  // bar, as the key goes down. Both go through the application, which
  // ignores them while a dialog has only just opened; a key held down
  // since before (its repeats) never presses a button.
  void keyPressEvent(QKeyEvent* event) override {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter || event->key() == Qt::Key_Space) {
      if (!event->isAutoRepeat() && live(view_)) {
        view_->app().keyPress(*view_->form(), control_, enter ? kKeyEnter : U' ');
      }
      event->accept();
      return;
    }
    QPushButton::keyPressEvent(event);
  }
  void keyReleaseEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Space) {
      event->accept();
      return;
    }
    QPushButton::keyReleaseEvent(event);
  }

 private:
  FormView* view_;
  Control& control_;
};

// The typing field. Keys are taken before the line edit sees them and go
// to the form as KeyPress; what the line edit still changes by itself (a
// paste, a drop) goes as one change of the whole text.
class TypingField : public QLineEdit {
 public:
  TypingField(FormView* view, Control& control) : QLineEdit(view), view_(view), control_(control) {
    setFrame(true);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
      if (live(view_)) view_->app().paste(*view_->form(), control_, text.toStdString());
    });
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Paste)) {
      QLineEdit::keyPressEvent(event);
      return;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
      event->ignore();
      return;
    }
    const QString text = view_->keys() ? view_->keys()->textFor(*event) : event->text();
    for (char32_t c : text.toUcs4()) {
      if (!live(view_)) break;
      view_->app().keyPress(*view_->form(), control_, c);
    }
    event->accept();
  }

  void inputMethodEvent(QInputMethodEvent* event) override {
    for (char32_t c : event->commitString().toUcs4()) {
      if (!live(view_)) break;
      view_->app().keyPress(*view_->form(), control_, c);
    }
    event->accept();
  }

 private:
  FormView* view_;
  Control& control_;
};

// A chart of a few series over categories: lines on the left axis, bars
// on the right one. Rebuilt whenever its data change.
class ChartWidget : public QChartView {
 public:
  ChartWidget(FormView* view, const Control& control) : QChartView(view), font_(fontFor(control.font)) {
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    setBackgroundBrush(Qt::white);
  }
  ~ChartWidget() override { delete chart(); }

  void show(const Control& c) {
    if (c.categories == categories_ && c.series == series_ && c.axisTitles == titles_) return;
    categories_ = c.categories;
    series_ = c.series;
    titles_ = c.axisTitles;
    auto* next = new QChart;
    next->setMargins(QMargins(2, 2, 2, 2));
    next->setBackgroundRoundness(0);
    next->setDropShadowEnabled(false);
    next->setBackgroundBrush(Qt::white);
    next->legend()->setAlignment(Qt::AlignTop);
    next->legend()->setFont(font_);

    auto* x = new QBarCategoryAxis;
    for (const std::string& category : categories_) x->append(qs(category));
    auto* left = new QValueAxis;
    auto* right = new QValueAxis;
    for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(x), static_cast<QAbstractAxis*>(left),
                                static_cast<QAbstractAxis*>(right)}) {
      axis->setLabelsFont(font_);
      axis->setTitleFont(font_);
    }
    const auto title = [&](std::size_t i) { return i < titles_.size() ? qs(titles_[i]) : QString(); };
    x->setTitleText(title(0));
    left->setTitleText(title(1));
    right->setTitleText(title(2));
    next->addAxis(x, Qt::AlignBottom);
    next->addAxis(left, Qt::AlignLeft);
    next->addAxis(right, Qt::AlignRight);

    double low = 0;
    double high = 1;
    double highBar = 1;
    // Bars first, so that the lines are drawn over them.
    std::vector<const ChartSeries*> order;
    for (const ChartSeries& s : series_) {
      if (s.bars) order.push_back(&s);
    }
    for (const ChartSeries& s : series_) {
      if (!s.bars) order.push_back(&s);
    }
    for (const ChartSeries* each : order) {
      const ChartSeries& s = *each;
      if (s.bars) {
        auto* set = new QBarSet(qs(s.name));
        set->setColor(color(s.color));
        set->setBorderColor(color(s.color).darker(120));
        for (std::int64_t v : s.milli) {
          *set << v / 1000.0;
          highBar = std::max(highBar, v / 1000.0);
        }
        auto* bars = new QBarSeries;
        bars->append(set);
        bars->setBarWidth(0.35);
        next->addSeries(bars);
        bars->attachAxis(x);
        bars->attachAxis(right);
      } else {
        auto* line = new QLineSeries;
        line->setName(qs(s.name));
        QPen pen(color(s.color));
        pen.setWidth(3);
        line->setPen(pen);
        line->setPointsVisible(true);
        for (std::size_t i = 0; i < s.milli.size(); ++i) {
          const double v = s.milli[i] / 1000.0;
          line->append(static_cast<double>(i), v);
          low = std::min(low, v);
          high = std::max(high, v);
        }
        next->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(left);
      }
    }
    left->setRange(low, high * 1.1);
    left->applyNiceNumbers();
    right->setRange(0, highBar * 1.25);
    right->applyNiceNumbers();
    right->setLabelFormat(QStringLiteral("%d"));
    QChart* previous = chart();
    setChart(next);
    delete previous;
  }

 private:
  QFont font_;
  std::vector<std::string> categories_;
  std::vector<ChartSeries> series_;
  std::vector<std::string> titles_;
};

// A read-only table; its first row gives the column titles.
class TableWidget : public QTableWidget {
 public:
  TableWidget(FormView* view, const Control& control) : QTableWidget(view) {
    setFont(fontFor(control.font));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setHighlightSections(false);
    setWordWrap(false);
  }

  void show(const Control& c) {
    if (c.cells == cells_) return;
    cells_ = c.cells;
    clear();
    if (cells_.empty()) {
      setRowCount(0);
      setColumnCount(0);
      return;
    }
    const auto columns = static_cast<int>(cells_.front().size());
    setColumnCount(columns);
    setRowCount(static_cast<int>(cells_.size()) - 1);
    QStringList titles;
    for (const std::string& title : cells_.front()) titles << qs(title);
    setHorizontalHeaderLabels(titles);
    for (std::size_t row = 1; row < cells_.size(); ++row) {
      for (std::size_t col = 0; col < cells_[row].size() && col < cells_.front().size(); ++col) {
        auto* item = new QTableWidgetItem(qs(cells_[row][col]));
        item->setTextAlignment(col == 1 || col == 2 ? (Qt::AlignLeft | Qt::AlignVCenter)
                                                    : Qt::AlignCenter);
        setItem(static_cast<int>(row) - 1, static_cast<int>(col), item);
      }
    }
    // Columns as wide as their contents, and what is left shared out.
    resizeColumnsToContents();
    int used = 0;
    for (int col = 0; col < columns; ++col) used += columnWidth(col);
    const int spare = viewport()->width() - used;
    if (spare > 0) {
      for (int col = 0; col < columns; ++col) setColumnWidth(col, columnWidth(col) + spare / columns);
    }
  }

 private:
  std::vector<std::vector<std::string>> cells_;
};

}  // namespace

FormView::FormView(App& app, Form& form, const KeyboardLayer* keys, QWidget* owner)
    : QWidget(owner), app_(app), form_(&form), keys_(keys) {
  setObjectName(qs(form.name()));
  setAttribute(Qt::WA_QuitOnClose, false);
  if (form.fixedDialog) {
    // With an owner the window manager keeps the dialog above it and
    // treats it as the owner's (transient for it).
    setWindowFlags((owner ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(px(form.width), px(form.height));
  } else {
    resize(px(form.width), px(form.height));
    if (form.maxWidth > 0) setMaximumSize(px(form.maxWidth), px(form.maxHeight));
  }
  build();
  sync();
}

void FormView::build() {
  QWidget* previousTab = nullptr;
  std::vector<Control*> tabOrder;
  // Drawn controls first, in design order, then the windowed ones above them.
  for (int pass = 0; pass < 2; ++pass) {
    for (Control& c : form_->controls()) {
      const bool windowed = c.kind == ControlKind::CommandButton || c.kind == ControlKind::TextBox;
      if (windowed != (pass == 1)) continue;
      QWidget* w = nullptr;
      switch (c.kind) {
        case ControlKind::Label:
          w = new LabelWidget(this, c);
          break;
        case ControlKind::Shape:
          w = new ShapeWidget(this, c);
          break;
        case ControlKind::Line: {
          w = new LineWidget(this, c);
          const int pen = std::max(1, c.borderWidth);
          w->setGeometry(px(c.left), px(c.top), px(c.width) + pen, px(c.height) + pen);
          break;
        }
        case ControlKind::CommandButton:
          w = new ButtonWidget(this, c);
          break;
        case ControlKind::TextBox:
          w = new TypingField(this, c);
          break;
        case ControlKind::Chart:
          w = new ChartWidget(this, c);
          break;
        case ControlKind::Table:
          w = new TableWidget(this, c);
          break;
        case ControlKind::Timer:
          continue;
      }
      w->setObjectName(qs(c.id()));
      if (c.kind != ControlKind::Line) w->setGeometry(place(c));
      w->setFont(fontFor(c.font));
      if (!c.toolTip.empty()) w->setToolTip(qs(c.toolTip));
      if (c.handCursor) w->setCursor(Qt::PointingHandCursor);
      if (c.tabIndex < 0) {
        w->setFocusPolicy(Qt::NoFocus);
      } else {
        tabOrder.push_back(&c);
      }
      items_.push_back({&c, w});
    }
  }
  std::stable_sort(tabOrder.begin(), tabOrder.end(),
                   [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
  for (const Control* c : tabOrder) {
    QWidget* w = widgetFor(*c);
    if (previousTab) setTabOrder(previousTab, w);
    previousTab = w;
  }
}

QWidget* FormView::widgetFor(const Control& control) const {
  for (const Item& item : items_) {
    if (item.control == &control) return item.widget;
  }
  return nullptr;
}

void FormView::detach() {
  form_ = nullptr;
  items_.clear();
}

void FormView::focusControl(const Control& control) {
  if (QWidget* w = widgetFor(control)) {
    activateWindow();
    w->setFocus(Qt::OtherFocusReason);
  }
}

void FormView::sync() {
  if (!form_) return;
  const QString title = qs(form_->caption);
  if (windowTitle() != title) setWindowTitle(title);
  loadPicture();
  for (const Item& item : items_) syncItem(item);
  update();
}

void FormView::syncItem(const Item& item) {
  const Control& c = *item.control;
  QWidget* w = item.widget;
  const QString caption = qs(c.caption);
  if (auto* label = dynamic_cast<QLabel*>(w)) {
    // Runs of blanks in a wrapped caption stand for line breaks: they fill
    // the rest of a line so that the next piece starts on a new one, which
    // Qt's line breaking would not do with blanks.
    static const QRegularExpression kBlankRun(QStringLiteral(" {8,}"));
    const QString shown = c.wordWrap ? QString(caption).replace(kBlankRun, QStringLiteral("\n"))
                                     : caption;
    if (label->text() != shown) label->setText(shown);
    Qt::Alignment align = Qt::AlignTop;
    align |= c.align == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    if (label->alignment() != align) label->setAlignment(align);
    label->setWordWrap(c.wordWrap);
    label->setFrameStyle(c.border ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, color(c.back));
    pal.setColor(QPalette::WindowText, color(c.fore));
    label->setPalette(pal);
    label->setAutoFillBackground(c.opaque);
    if (c.autoSize) label->adjustSize();
  } else if (auto* button = dynamic_cast<QPushButton*>(w)) {
    if (button->text() != caption) button->setText(caption);
    QPalette pal = button->palette();
    pal.setColor(QPalette::Button, color(c.back));
    pal.setColor(QPalette::ButtonText, color(c.fore));
    button->setPalette(pal);
  } else if (auto* edit = dynamic_cast<QLineEdit*>(w)) {
    if (edit->text() != caption) edit->setText(caption);
  } else if (auto* chart = dynamic_cast<ChartWidget*>(w)) {
    chart->show(c);
  } else if (auto* table = dynamic_cast<TableWidget*>(w)) {
    table->show(c);
  }
  if (const QString tip = qs(c.toolTip); w->toolTip() != tip) w->setToolTip(tip);
  if (w->isEnabled() != c.enabled) w->setEnabled(c.enabled);
  if (w->isVisibleTo(this) != c.visible) w->setVisible(c.visible);
  w->update();
}

void FormView::loadPicture() {
  if (form_->picture == picturePath_) return;
  picturePath_ = form_->picture;
  picture_ = QPixmap();
  if (picturePath_.empty()) return;
  QImageReader reader(qs(picturePath_));
  const QImage image = reader.read();
  if (image.isNull()) {
    std::cerr << "pirvo3: cannot show the background picture " << picturePath_ << ": "
              << reader.errorString().toStdString() << "; the form shows without it\n";
    return;
  }
  picture_ = QPixmap::fromImage(image);
}

void FormView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const Rgb back = form_ ? form_->back : 0xFFFFFF;
  p.fillRect(rect(), color(back));
  if (!picture_.isNull()) p.drawPixmap(0, 0, picture_);
  if (form_ && form_->paintedPicture) {
    // The typing screen's own background: white paper with a faint blue
    // shade at the bottom and fine ruling behind the text area.
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0.0, QColor(255, 255, 255));
    shade.setColorAt(0.45, QColor(250, 252, 255));
    shade.setColorAt(1.0, QColor(226, 236, 252));
    p.fillRect(rect(), shade);
    p.setPen(QColor(236, 242, 252));
    for (int y = 56; y < 230; y += 8) p.drawLine(165, y, width() - 10, y);
  }
}

void FormView::keyPressEvent(QKeyEvent* event) {
  static const std::pair<int, FormKey> kKeys[] = {
      {Qt::Key_Up, FormKey::Up},         {Qt::Key_Down, FormKey::Down},
      {Qt::Key_Return, FormKey::Enter},  {Qt::Key_Enter, FormKey::Enter},
      {Qt::Key_Escape, FormKey::Escape}, {Qt::Key_F1, FormKey::F1}};
  // Up and Down repeat while held, as in a list; the others act once.
  const bool repeats = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (form_ && plain && (repeats || !event->isAutoRepeat())) {
    for (const auto& [qtKey, key] : kKeys) {
      if (event->key() != qtKey) continue;
      app_.formKey(*form_, key);
      event->accept();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void FormView::centreOver(const QWidget& owner) {
  // The owner's frame shows how thick the window manager's frames are;
  // this window gets one of the same size.
  const QRect ownerFrame = owner.frameGeometry();
  const QRect ownerClient = owner.geometry();
  const QMargins margins(ownerClient.left() - ownerFrame.left(), ownerClient.top() - ownerFrame.top(),
                         ownerFrame.right() - ownerClient.right(),
                         ownerFrame.bottom() - ownerClient.bottom());
  QRect outer(QPoint(0, 0), size().grownBy(margins));
  outer.moveCenter(ownerFrame.center());
  if (const QScreen* screen = owner.screen()) {
    const QRect area = screen->availableGeometry();
    outer.moveRight(std::min(outer.right(), area.right()));
    outer.moveBottom(std::min(outer.bottom(), area.bottom()));
    outer.moveLeft(std::max(outer.left(), area.left()));
    outer.moveTop(std::max(outer.top(), area.top()));
  }
  move(outer.topLeft());  // a window's position is that of its frame
}

void FormView::closeEvent(QCloseEvent* event) {
  if (form_) {
    event->ignore();
    app_.closeBox(*form_);
    return;
  }
  event->accept();
}

void FormView::applySizeRule() {
  if (!form_ || resizing_ || form_->fixedDialog) return;
  const WindowSize now{isMaximized(), width() * kTwipsPerPixel, height() * kTwipsPerPixel};
  const WindowSize wanted = app_.resize(*form_, now);
  if (wanted == now) return;
  resizing_ = true;
  if (!wanted.maximized && isMaximized()) showNormal();
  resize(px(wanted.width), px(wanted.height));
  resizing_ = false;
}

void FormView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  applySizeRule();
}

void FormView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) applySizeRule();
}

}  // namespace pirvo3
