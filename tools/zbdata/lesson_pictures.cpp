#include "lesson_pictures.h"

namespace zbdata {

void buildLessonPictures(DataSet&, const Palette&) {}

}  // namespace zbdata
