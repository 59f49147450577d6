#include "logic/about_box.h"

namespace vorm {

std::string AboutBox::mailUrl() { return "mailto:" + std::string(kAuthorEmail); }

void AboutBox::clickLabel3() { opener_.openUrl(mailUrl()); }

void AboutBox::clickLabel1() { opener_.openUrl(kAuthorSiteUrl); }

}  // namespace vorm
