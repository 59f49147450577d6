#include "lessons.h"

namespace pirvo3 {
namespace {

#define RU1 "фывапролдж"
#define RU2 RU1 "кенгмить"
#define RU3 RU2 "цушщчсбю"
#define RU4 "абвгдеёжзийклмнопрстуфхцчшщъыьэюя"
#define EN1 "asdfghjkl"
#define EN2 EN1 "rtyuvbnm"
#define EN3 "abcdefghijklmnopqrstuvwxyz"
// Digits and the signs of a standard keyboard, for the lessons of all keys.
#define SIGNS "0123456789-=+\\/.,;:'\"!?()"

constexpr const char* kAllKeys = "Упражнения с использованием всех клавиш";

const std::array<Lesson, kLessonCount> kLessons = {{
    {0, false, "Первый урок", "1.txt", kRussianFirstTask, kLayoutRussian,
     "Упражнения с использованием клавиш Ф Ы В А П Р О Л Д Ж", RU1 " "},
    {1, false, "Второй урок", "2.txt", kRussianFirstTask, kLayoutRussian,
     "Упражнения с использованием клавиш Ф Ы В А П Р О Л Д Ж К Е Н Г М И Т Ь", RU2 " "},
    {2, false, "Третий урок", "3.txt", kRussianFirstTask, kLayoutRussian,
     "Упражнения с использованием клавиш Ф Ы В А П Р О Л Д Ж К Е Н Г М И Т Ь Ц У Ш Щ Ч С Б Ю",
     RU3 " "},
    {3, false, "Четвёртый урок", "4.txt", kRussianFirstTask, kLayoutRussian, kAllKeys,
     RU4 SIGNS " "},
    {4, true, "Первый урок", "1e.txt", "jkkj", kLayoutEnglishUs,
     "Упражнения с использованием клавиш A S D F G H J K L", EN1 " "},
    {5, true, "Второй урок", "2e.txt", "hggh", kLayoutEnglishUs,
     "Упражнения с использованием клавиш A S D F G H J K L R T Y U V B N M", EN2 " "},
    {6, true, "Третий урок", "3e.txt", "qwqq", kLayoutEnglishUs, kAllKeys, EN3 SIGNS " "},
}};

}  // namespace

const std::array<Lesson, kLessonCount>& lessons() { return kLessons; }

}  // namespace pirvo3
