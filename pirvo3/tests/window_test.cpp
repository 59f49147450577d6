// The Qt windows on the offscreen platform: placement from the design, and
// input reaching the forms through the widgets.
#include <iostream>
#include <sstream>

#include <QApplication>
#include <QBarSeries>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include "colors.h"
#include "form_view.h"
#include "gif_writer.h"
#include "harness.h"
#include "keyboard_layer.h"
#include "window_host.h"

namespace pirvo3 {
namespace {

class Pirvo3Window : public ::testing::Test {
 protected:
  Pirvo3Window() {
    testing::writeLesson(dir / "1.txt", testing::testLesson());
    testing::writeLesson(dir / "2.txt", testing::testLesson());
    windows.attach(app);
    app.start();
  }

  FormView& view(Form* form) {
    FormView* v = form ? windows.view(*form) : nullptr;
    if (!v) throw std::runtime_error("no window");
    return *v;
  }
  template <typename W>
  W* widget(Form* form, const std::string& name, int index = -1) {
    return dynamic_cast<W*>(view(form).widgetFor(form->control(name, index)));
  }
  void key(QWidget* target, int qtKey, const QString& text, quint32 scanCode = 0,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, scanCode, 0, 0, text);
    QApplication::sendEvent(target, &press);
  }
  void typeInto(QWidget* target, const QString& text) {
    for (QChar c : text) key(target, 0, QString(c));
  }

  std::filesystem::path dir = testing::freshDir("window");
  VirtualClock clock;
  std::ostringstream out;
  ScriptOutput printer{out};
  KeyboardLayer keys;
  WindowHost windows{&keys, {}, false};
  App app{clock, printer, printer, windows, AppConfig{".", dir}};
};

TEST_F(Pirvo3Window, FormsAndControlsArePlacedFromTwips) {
  EXPECT_EQ(view(app.frmtre()).size(), QSize(377, 294));
  EXPECT_EQ(view(app.frmtre()).maximumSize(), QSize(377, 294));
  EXPECT_EQ(view(app.frmtre()).windowTitle(), QString("Таприкон"));
  app.click(*app.frmtre(), app.frmtre()->control("Label1", 1));
  EXPECT_EQ(view(app.frm1()).size(), QSize(537, 507));
  EXPECT_EQ(widget<QLabel>(app.frm1(), "Label20", kSpaceBar)->geometry(), QRect(133, 414, 261, 31));
  EXPECT_EQ(widget<QLabel>(app.frm1(), "Label20", 48)->geometry(), QRect(28, 276, 19, 31));
  EXPECT_EQ(widget<QPushButton>(app.frm1(), "Command2")->geometry(), QRect(280, 465, 100, 23));
  EXPECT_EQ(widget<QLabel>(app.frm1(), "Label2")->font().family(), QString("Liberation Sans"));
  EXPECT_EQ(widget<QLabel>(app.frm1(), "Label20", 0)->font().family(), QString("Liberation Serif"));
  EXPECT_EQ(widget<QLabel>(app.frm1(), "Label20", 0)->font().pixelSize(), 19);
  EXPECT_FALSE(widget<QLabel>(app.frm1(), "Label21")->isVisibleTo(&view(app.frm1())));
  app.click(*app.frm1(), app.frm1()->control("Command2"));
  EXPECT_EQ(view(app.frmpause()).minimumSize(), QSize(434, 459));
  EXPECT_EQ(view(app.frmpause()).maximumSize(), QSize(434, 459));
}

TEST_F(Pirvo3Window, KeysGoThroughTheFilterAndPastesArriveWhole) {
  app.click(*app.frmtre(), app.frmtre()->control("Label1", 1));
  auto* field = widget<QLineEdit>(app.frm1(), "Text1");
  ASSERT_NE(field, nullptr);
  typeInto(field, "ЛЛ");
  key(field, Qt::Key_Backspace, "\b");
  key(field, Qt::Key_Return, "\r");
  EXPECT_EQ(app.frm1()->typedPart(), "лл");
  EXPECT_EQ(field->text(), "");
  EXPECT_EQ(app.frm1()->keystrokeCount(), 2);

  QApplication::clipboard()->setText("ол");
  key(field, Qt::Key_V, "\x16", 0, Qt::ControlModifier);
  EXPECT_EQ(app.frm1()->keystrokeCount(), 3);
  EXPECT_EQ(app.frm1()->errorCount(), 1);
  EXPECT_EQ(field->text(), "");
  EXPECT_TRUE(widget<QLabel>(app.frm1(), "Label21")->isVisibleTo(&view(app.frm1())));
}

TEST_F(Pirvo3Window, PhysicalKeysTypeTheLessonLayoutWhenTheDesktopCannotSwitch) {
  app.click(*app.frmtre(), app.frmtre()->control("Label1", 1));
  keys.setMapping(KeyLayout::Russian);
  auto* field = widget<QLineEdit>(app.frm1(), "Text1");
  // The keys where K and J sit type Л and О on the Russian layout.
  key(field, Qt::Key_K, "k", 45);
  key(field, Qt::Key_K, "K", 45, Qt::ShiftModifier);
  key(field, Qt::Key_J, "j", 44);
  EXPECT_EQ(app.frm1()->typedPart(), "лло");
  EXPECT_EQ(app.frm1()->errorCount(), 0);
  keys.setMapping(std::nullopt);
  key(field, Qt::Key_K, "k", 45);
  EXPECT_EQ(app.frm1()->errorCount(), 1);
}

TEST_F(Pirvo3Window, KeyPositionTables) {
  const struct {
    KeyLayout layout;
    std::uint32_t keycode;
    bool shift;
    char32_t expected;
  } cases[] = {
      {KeyLayout::Russian, 38, false, U'ф'}, {KeyLayout::Russian, 49, true, U'Ё'},
      {KeyLayout::Russian, 61, false, U'.'}, {KeyLayout::Russian, 61, true, U','},
      {KeyLayout::Russian, 35, false, U'ъ'}, {KeyLayout::Russian, 65, false, U' '},
      {KeyLayout::EnglishUs, 24, false, U'q'}, {KeyLayout::EnglishUs, 47, false, U';'},
      {KeyLayout::EnglishUs, 21, true, U'+'}, {KeyLayout::EnglishUs, 9, false, 0},  // Esc
  };
  for (const auto& c : cases) {
    EXPECT_EQ(charAtKeycode(c.layout, c.keycode, c.shift), c.expected) << c.keycode;
  }
}

TEST_F(Pirvo3Window, MouseOverACaptionLightsItAndAClickOpensTheLesson) {
  auto* caption = widget<QLabel>(app.frmtre(), "Label1", 4);
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(caption, &move);
  EXPECT_TRUE(caption->autoFillBackground());
  EXPECT_EQ(caption->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(caption->palette().color(QPalette::Window), QColor(255, 255, 255));

  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(caption, &press);
  QApplication::sendEvent(caption, &release);
  ASSERT_NE(app.frm1(), nullptr);
  EXPECT_EQ(widget<QLabel>(app.frm1(), "Label20", 13)->text(), QString("q"));
  EXPECT_EQ(view(app.frm1()).windowTitle(), QString("Первый урок"));
}

TEST_F(Pirvo3Window, TheCloseBoxAndTheSizeRuleGoThroughTheForm) {
  app.click(*app.frmtre(), app.frmtre()->control("Label1", 0));
  FormView& typing = view(app.frm1());
  typing.showMaximized();
  EXPECT_FALSE(typing.isMaximized());
  typing.close();
  EXPECT_EQ(app.frm1(), nullptr);
  EXPECT_EQ(windows.view(*app.frmtre())->isVisible(), true);
}

TEST_F(Pirvo3Window, AMissingBackgroundPictureIsReportedAndTheMenuStillShows) {
  // The menu loaded its picture from the test folder, which has none.
  std::ostringstream err;
  auto* old = std::cerr.rdbuf(err.rdbuf());
  WindowHost otherWindows(nullptr, {}, false);
  App again(clock, printer, printer, otherWindows, AppConfig{".", dir});
  otherWindows.attach(again);
  again.start();
  std::cerr.rdbuf(old);
  EXPECT_NE(err.str().find("pidata/startfon.gif"), std::string::npos) << err.str();
  FormView* v = otherWindows.view(*again.frmtre());
  ASSERT_NE(v, nullptr);
  const QImage picture = v->grab().toImage();
  EXPECT_EQ(picture.size(), QSize(377, 294));
  EXPECT_EQ(picture.pixelColor(200, 5), QColor(0x12, 0x3C, 0x96));  // the form's own blue
}

TEST_F(Pirvo3Window, DialogsBelongToTheTypingScreenAndIgnoreEarlyKeys) {
  app.click(*app.frmtre(), app.frmtre()->control("Label1", 1));
  app.click(*app.frm1(), app.frm1()->control("Command2"));  // Пауза
  FormView& pause = view(app.frmpause());
  // Owned by the typing screen: a dialog window, transient for it.
  EXPECT_EQ(pause.parentWidget(), &view(app.frm1()));
  EXPECT_TRUE(pause.windowFlags().testFlag(Qt::Dialog));
  auto* resume = widget<QPushButton>(app.frmpause(), "Command1");
  ASSERT_NE(resume, nullptr);
  // The space bar on the focused "Продолжить урок": ignored at once, a held
  // key's repeats never count, a fresh press half a second later does.
  key(resume, Qt::Key_Space, " ");
  clock.advance(kDialogKeyDelayMs);
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
  QApplication::sendEvent(resume, &repeat);
  ASSERT_NE(app.frmpause(), nullptr);
  key(resume, Qt::Key_Space, " ");
  EXPECT_EQ(app.frmpause(), nullptr);
  EXPECT_TRUE(app.frm1()->clockRunning());
}

TEST_F(Pirvo3Window, TheMenuTakesItsKeys) {
  FormView& menu = view(app.frmtre());
  key(&menu, Qt::Key_Down, QString());
  key(&menu, Qt::Key_Down, QString());
  key(&menu, Qt::Key_Enter, QString(), 0, Qt::KeypadModifier);
  ASSERT_NE(app.frm1(), nullptr);
  EXPECT_EQ(app.frm1()->caption, "Второй урок");
}

TEST_F(Pirvo3Window, TheStatisticsWindowDrawsItsChartTableAndKeys) {
  MemoryHistoryStore history;
  WindowHost otherWindows(nullptr, {}, false);
  App withHistory(clock, printer, printer, otherWindows, AppConfig{".", dir, &history});
  otherWindows.attach(withHistory);
  withHistory.start();
  for (int run = 0; run < 3; ++run) {
    withHistory.click(*withHistory.frmtre(), withHistory.frmtre()->control("Label1", 0));
    withHistory.typeKey(U'л');
    withHistory.typeKey(U'ж');  // for л
    clock.advance(1000);
    withHistory.click(*withHistory.frm1(), withHistory.frm1()->control("Command1"));
  }
  withHistory.click(*withHistory.frmtre(), withHistory.frmtre()->control("Label11"));
  Frmstat* stat = withHistory.frmstat();
  ASSERT_NE(stat, nullptr);
  FormView* v = otherWindows.view(*stat);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->size(), QSize(690, 650));
  EXPECT_EQ(v->windowTitle(), QString("Статистика"));

  auto* chartView = dynamic_cast<QChartView*>(v->widgetFor(stat->control("Chart1")));
  ASSERT_NE(chartView, nullptr);
  EXPECT_TRUE(chartView->isVisibleTo(v));
  ASSERT_EQ(chartView->chart()->series().size(), 3);
  int bars = 0;
  for (QAbstractSeries* series : chartView->chart()->series()) {
    if (auto* barSeries = dynamic_cast<QBarSeries*>(series)) bars += barSeries->barSets().size();
  }
  EXPECT_EQ(bars, 1);

  auto* table = dynamic_cast<QTableWidget*>(v->widgetFor(stat->control("Table1")));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rowCount(), 3);
  EXPECT_EQ(table->columnCount(), 8);
  EXPECT_EQ(table->item(0, 0)->text(), QString("3"));
  EXPECT_EQ(table->horizontalHeaderItem(5)->text(), QString("Ошибок"));

  // The mistyped key shows its tint on screen.
  auto* key = dynamic_cast<QLabel*>(v->widgetFor(stat->control("Label7", 32)));  // л
  ASSERT_NE(key, nullptr);
  const QImage picture = v->grab().toImage();
  const QPoint centre = key->geometry().center() + QPoint(0, 10);
  EXPECT_EQ(picture.pixelColor(centre).rgb() & 0xFFFFFF, colors::kTintMany);
  EXPECT_EQ(key->toolTip(), QString("«л»: 3 ошибки на 6 нажатий"));
}

TEST(Pirvo3Gif, EncodedPicturesDecodeToTheSameColours) {
  const struct {
    int width;
    int height;
    int colours;
  } cases[] = {{1, 1, 2}, {7, 3, 4}, {300, 200, 256}, {64, 64, 17}};
  std::uint32_t seed = 12345;
  for (const auto& c : cases) {
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < c.colours; ++i) palette.push_back(static_cast<std::uint32_t>(i * 0x010305 + 7) & 0xFFFFFF);
    std::vector<std::uint8_t> indices;
    for (int i = 0; i < c.width * c.height; ++i) {
      seed = seed * 1103515245u + 12345u;
      // Runs and noise, so that the string table both grows and restarts.
      const int run = (i / 5) % c.colours;
      indices.push_back(static_cast<std::uint8_t>((seed >> 16) % 3 == 0 ? (seed >> 8) % c.colours : run));
    }
    const auto bytes = encodeGif(c.width, c.height, indices, palette);
    const QImage image = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "GIF");
    ASSERT_FALSE(image.isNull()) << c.width << "x" << c.height;
    ASSERT_EQ(image.size(), QSize(c.width, c.height));
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const std::uint32_t want = palette[indices[static_cast<std::size_t>(y * c.width + x)]];
        ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF, want) << x << "," << y;
      }
    }
  }
  EXPECT_TRUE(encodeGif(2, 2, {0, 1, 0}, {0, 1}).empty());  // too few pixels
}

TEST(Pirvo3Gif, TheMenuBackgroundIsBuilt) {
  const QImage image(QString::fromUtf8(PIRVO3_BUILT_DATA_DIR "/pidata/startfon.gif"));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(377, 294));
  const QColor centre = image.pixelColor(90, 150);
  EXPECT_GT(centre.blue(), centre.red() + 60);  // a blue picture
}

}  // namespace
}  // namespace pirvo3

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
