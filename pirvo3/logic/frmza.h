// The readiness dialog at task 80: start the test or end the lesson.
#pragma once

#include "form.h"

namespace pirvo3 {

class Frmza : public Form {
 public:
  explicit Frmza(App& app);

  void click(Control& control) override;

  static std::vector<Control> design();
};

}  // namespace pirvo3
