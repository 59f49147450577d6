#include "ui/about_window.h"

#include <QPaintEvent>

#include "ui/artwork.h"
#include "ui/click_label.h"
#include "ui/qt_support.h"

namespace vorm::ui {

namespace {

// A fixed dialog border without maximise and minimise buttons; as a dialog of
// Form1 it stays out of the task bar.
constexpr Qt::WindowFlags kAboutFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                        Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                        Qt::WindowCloseButtonHint |
                                        Qt::MSWindowsFixedSizeDialogHint;

class PortraitBox final : public QFrame {
 public:
  using QFrame::QFrame;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    QPainter painter(this);
    drawPortrait(painter, QRectF(contentsRect()));
  }
};

}  // namespace

AboutWindow::AboutWindow(QWidget* owner, UrlOpener& opener)
    : FormWindow("about", owner, kAboutFlags), about_(opener) {
  setWindowTitle(qs(kAboutCaption));
  setWindowIcon(formIcon());
  setFixedSize(tw(7680), tw(2745));
  setPalette(formPalette());
  setAutoFillBackground(true);
  setFont(formFont());

  auto* picture = new PortraitBox(this);
  picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture->setLineWidth(2);
  picture->setGeometry(tw(180), tw(210), tw(1845), tw(2370));
  picture->setToolTip(qs(kPortraitTip));
  addControl("Picture2", picture);

  auto label = [this](const std::string& name, std::string_view caption, int left, int top,
                      int width, int height) {
    auto* l = new ClickLabel(this);
    l->setTextFormat(Qt::PlainText);
    l->setText(qs(caption));
    l->setGeometry(tw(left), tw(top), tw(width), tw(height));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    addControl(name, l);
    return l;
  };

  // The description keeps its CR LF line breaks; a label breaks on LF.
  QString description = qs(kAboutDescription);
  description.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  auto* text = label("Label2", "", 2190, 120, 5265, 1845);
  text->setText(description);
  text->setWordWrap(true);

  label("Label5", kMailLeadIn, 2175, 2085, 3480, 270);
  auto* mail = label("Label3", kAuthorEmail, 5685, 2085, 1095, 210);
  label("Label4", kSiteLeadIn, 2145, 2340, 2955, 255);
  auto* site = label("Label1", kAuthorSite, 5085, 2340, 1485, 255);

  for (ClickLabel* link : {mail, site}) {
    QPalette lp = link->palette();
    lp.setColor(QPalette::WindowText, QColor(0, 0, 255));
    link->setPalette(lp);
    link->setCursor(Qt::PointingHandCursor);
    // The address must show whole: a link cut short is no use.
    const int needed = link->fontMetrics().horizontalAdvance(link->text()) + 2;
    if (link->width() < needed) link->resize(needed, link->height());
  }
  mail->setToolTip(qs(kMailTip));
  site->setToolTip(qs(kSiteTip));
  mail->onClick = [this] { about_.clickLabel3(); };
  site->onClick = [this] { about_.clickLabel1(); };
  centreOnScreen();
}

}  // namespace vorm::ui
