#include "formats/feldlayout.h"

namespace korvelan::feldlayout {

const Layout& LayoutV5() {
  static const Layout layout{5, {}};
  return layout;
}

}  // namespace korvelan::feldlayout
