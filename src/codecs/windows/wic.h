#pragma once
// What the decoders and the preview writer share of the Windows Imaging Component (WIC): its
// factory and its words for a failure. WIC is part of Windows: no DLL goes with the converter.
#include <wincodec.h>

#include <string>

#include "codecs/windows/com_owner.h"

namespace pxm {

// The imaging factory, or the failure's result. COM must be started (ProcessSetup does it).
HRESULT CreateImagingFactory(ComOwner<IWICImagingFactory>& factory);

// "Windows Imaging Component: " and the system's text for the result.
std::string WicFailureText(HRESULT result);

}  // namespace pxm
