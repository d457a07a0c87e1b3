#include "formats/feldlayout.h"

namespace korvelan::feldlayout {

const Layout& LayoutV3() {
  static const Layout layout{3, {}};
  return layout;
}

}  // namespace korvelan::feldlayout
