#include "cli/windows/wic.h"

#include "cli/windows/system_error_text.h"

namespace pxm::cli {

HRESULT CreateImagingFactory(ComOwner<IWICImagingFactory>& factory) {
    return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                            reinterpret_cast<void**>(factory.put()));
}

std::string WicFailureText(HRESULT result) {
    return "Windows Imaging Component: " + SystemErrorText(static_cast<DWORD>(result));
}

}  // namespace pxm::cli
