// Scripted runs end to end: the forms, the virtual clock and the printed output.
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "logic/phrase_bank.h"
#include "ui/script_runner.h"

namespace vorm::ui {
namespace {

struct RunResult {
  int status;
  std::string out;
  std::string err;

  bool has(const std::string& line) const {
    return ("\n" + out).find("\n" + line + "\n") != std::string::npos;
  }
};

RunResult run(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out, err;
  const int status = runScript(in, out, err);
  return {status, out.str(), err.str()};
}

TEST(VormScriptRun, ReportsFormsMessagesAndLinks) {
  const RunResult r = run(
      "# a short visit\n"
      "type ш\n"
      "type Школа\\n\n"
      "wait 5000\n"
      "type \\n\n"
      "click Form1.Label8\n"
      "click about.Label3\n"
      "hover about.Picture2\n"
      "click about.Label1\n"
      "close about\n"
      "click Form1.Label8\n"
      "type \\e\n"
      "this line is never read\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "open Form1\n"
            "msgbox Совет от Кварцелия | Тру - тру - тру - у.. Не так быстро, залётные. "
            "Ещё не всё напечатали.\n"
            "open about\n"
            "url mailto:kv@example.org\n"
            "url https://www.example.org/\n"
            "closed about\n"
            "open about\n"
            "closed about\n"
            "closed Form1\n"
            "exit\n");
}

TEST(VormScriptRun, DumpFollowsTheBlinkingAndTheMemoryLine) {
  const RunResult r = run(
      "type Шx\n"
      "dump\n"
      "wait 200\n"
      "dump\n"
      "wait 800\n"
      "dump\n"
      "type кола\\n\n"
      "wait 4999\n"
      "dump\n"
      "wait 1\n"
      "dump\n");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> label6, label7;
  std::istringstream in(r.out);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("Form1.Label6 ", 0) == 0) label6.push_back(line);
    if (line.rfind("Form1.Label7 ", 0) == 0) label7.push_back(line);
  }
  EXPECT_EQ(label6, (std::vector<std::string>{
                        "Form1.Label6 visible=1 enabled=1 bg=#FF80FF fg=#000000 caption=Шx",
                        "Form1.Label6 visible=1 enabled=1 bg=#FFFFFF fg=#000000 caption=Шx",
                        "Form1.Label6 visible=1 enabled=1 bg=#FFFFFF fg=#000000 caption=Ш",
                        "Form1.Label6 visible=1 enabled=1 bg=#FFFFFF fg=#000000 caption=",
                        "Form1.Label6 visible=1 enabled=1 bg=#FFFFFF fg=#000000 caption=",
                    }));
  ASSERT_EQ(label7.size(), 5u);
  EXPECT_EQ(label7[3], "Form1.Label7 visible=1 enabled=1 bg=#FFFFFF fg=#000000 caption=Школа");
  EXPECT_EQ(label7[4], "Form1.Label7 visible=1 enabled=1 bg=#FFFFFF fg=#000000 caption=");
  EXPECT_TRUE(r.has("Form1.Label3 visible=1 enabled=1 bg=#F0F0F0 fg=#0000FF caption= кола"));
}

TEST(VormScriptRun, DumpListsEveryControlOfEveryOpenForm) {
  const RunResult r = run("click Form1.Label8\ndump\n");
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> names;
  std::istringstream in(r.out);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("open ", 0) == 0 || line == "exit") continue;
    names.push_back(line.substr(0, line.find(' ')));
  }
  EXPECT_EQ(names, (std::vector<std::string>{
                       "Form1", "Form1.Label1", "Form1.Label2", "Form1.Label3", "Form1.Label4",
                       "Form1.Label5", "Form1.Label6", "Form1.Label7", "Form1.Label8",
                       "Form1.Label9", "Form1.Timer1", "Form1.Timer2", "about", "about.Label1",
                       "about.Label2", "about.Label3", "about.Label4", "about.Label5",
                       "about.Picture2"}));
  EXPECT_TRUE(r.has("Form1 caption=Таприкон   ver. 3.0"));
  EXPECT_TRUE(r.has("about caption=Кварцелия"));
  EXPECT_TRUE(r.has("Form1.Timer2 visible=0 enabled=1 bg=#F0F0F0 fg=#000000 caption="));
}

TEST(VormScriptRun, TheToggleChoosesTheSetOnlyBeforeTheFirstKey) {
  const RunResult r = run(
      "click Form1.Label9\n"
      "click Form1.Label9\n"
      "click Form1.Label9\n"
      "type Ш\n"
      "click Form1.Label9\n"
      "dump\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.has("Form1.Label9 visible=1 enabled=0 bg=#E3E3E3 fg=#000000 caption=Расширенный"));
  EXPECT_TRUE(r.has("Form1.Label2 visible=1 enabled=1 bg=#F0F0F0 fg=#8080FF caption=Школа"));
}

TEST(VormScriptRun, TheLastStandardPhraseEndsTheProgram) {
  std::string script;
  for (int i = kStandardSet.start; i < kStandardSet.end; ++i)
    script += "type " + std::string(phraseBank()[i]) + "\\n\n";
  script += "dump\n";
  const RunResult r = run(script);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "open Form1\n"
            "msgbox Резюме от Кварцелия | Вы выполнили все задания. Позовите преподавателя.\n"
            "closed Form1\n"
            "exit\n");
}

TEST(VormScriptRun, FiveErrorsRestartThePhrase) {
  const RunResult ok = run("type Шк\\b\\t\\b\\t\\n\ndump\n");
  ASSERT_EQ(ok.status, 0) << ok.err;
  EXPECT_TRUE(ok.has("msgbox Совет от Кварцелия | Тру - тру - тру - у.. Не так быстро, "
                     "залётные. Ещё не всё напечатали."));
  EXPECT_TRUE(ok.has("msgbox Наказание от Кварцелия | Вы сделали слишком много ошибок. "
                     "Прийдётся повторить заново."));
  EXPECT_TRUE(ok.has("Form1.Label3 visible=1 enabled=1 bg=#F0F0F0 fg=#0000FF caption=Школа"));
}

TEST(VormScriptRun, BadLinesStopTheRunWithTheirNumber) {
  const std::string bad[] = {
      "jump Form1.Label1", "click Form1.Label99", "click about.Label1", "close nobody",
      "hover Form1.Timer1", "paste Школа", "type \\q", "shot Form1 /nonexistent/dir/x.png",
  };
  for (const std::string& line : bad) {
    const RunResult r = run("# first line\n" + line + "\ndump\n");
    EXPECT_EQ(r.status, 2) << line;
    EXPECT_NE(r.err.find("line 2"), std::string::npos) << line << ": " << r.err;
    EXPECT_EQ(r.out, "open Form1\n") << line;
  }
}

TEST(VormScriptRun, AWaitBeyondADayIsRefusedWithItsLine) {
  // Added to the clock that has already moved, such a wait would run it
  // past the largest time it can hold.
  const RunResult r = run("wait 1\nwait 9223372036854775807\ndump\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("line 2"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("86400000"), std::string::npos) << r.err;
  const RunResult day = run("wait 86400000\nwait 86400000\n");
  EXPECT_EQ(day.status, 0) << day.err;
}

TEST(VormScriptRun, ShotsPictureTheForms) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string form1 = dir.filePath(QStringLiteral("form1.png")).toStdString();
  const std::string about = dir.filePath(QStringLiteral("about.png")).toStdString();
  const RunResult r = run("type Шx\nshot Form1 " + form1 + "\nclick Form1.Label8\nshot about " + about +
                    "\n");
  ASSERT_EQ(r.status, 0) << r.err;
  for (const std::string& path : {form1, about}) {
    const QImage image(QString::fromStdString(path));
    EXPECT_EQ(image.size(), QSize(512, 183)) << path;
  }
  // The buffer line is in the error colour in the first picture.
  const QImage picture(QString::fromStdString(form1));
  EXPECT_EQ(picture.pixelColor(400, 90), QColor(0xFF, 0x80, 0xFF));
}

}  // namespace
}  // namespace vorm::ui
