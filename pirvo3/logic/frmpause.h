// The break dialog: a fatigue exercise, then go on or end the lesson.
#pragma once

#include <cstdint>

#include "form.h"

namespace pirvo3 {

class Frmpause : public Form {
 public:
  explicit Frmpause(App& app);

  void load() override;
  void click(Control& control) override;

  static std::vector<Control> design();
  // The text of the exercise list.
  static std::string exercises();
};

// A number from 1 to 5 drawn from a generator seeded with the given time,
// the way the dialog seeds it from the clock at every load.
int exerciseNumber(std::int64_t seedMs);

}  // namespace pirvo3
