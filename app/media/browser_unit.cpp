#include "app/media/browser_unit.h"

#include <exdisp.h>

#include "app/media/bstr.h"

namespace app {

BrowserUnit::BrowserUnit(HWND parent, const UnitGeometry& place, int id, const std::string& address,
                         const CLSID& clsid)
    : host_(parent, place, id, false) {
  if (!host_.Create(clsid)) return;
  auto browser = host_.Control<IWebBrowser2>(IID_IWebBrowser2);
  if (!browser) return;
  browser->put_Silent(VARIANT_TRUE);
  const Bstr url = Bstr::FromUtf8(address);
  VARIANT none;
  VariantInit(&none);
  navigationStarted_ = SUCCEEDED(browser->Navigate(url.get(), &none, &none, &none, &none));
}

}  // namespace app
