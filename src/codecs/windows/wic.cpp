#include "codecs/windows/wic.h"

#include "platform/system_error.h"

namespace pxm {

HRESULT CreateImagingFactory(ComOwner<IWICImagingFactory>& factory) {
    return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                            reinterpret_cast<void**>(factory.put()));
}

std::string WicFailureText(HRESULT result) {
    return "Windows Imaging Component: " + platform::SystemErrorText({static_cast<std::uint32_t>(result)});
}

}  // namespace pxm
