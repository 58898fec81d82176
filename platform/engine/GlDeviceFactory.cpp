#include "platform/engine/RenderDevice.h"

#if __has_include("platform/engine/GlRenderDevice.h")
#include "platform/engine/GlRenderDevice.h"
std::unique_ptr<RenderDevice> CreateGlRenderDevice() {
    return std::make_unique<GlRenderDevice>();
}
#else
std::unique_ptr<RenderDevice> CreateGlRenderDevice() {
    return nullptr;
}
#endif
