#include "toolkit/core/image_frames.h"

#include <cstdint>
#include <cstring>

namespace ui {

namespace {

// FrameDimensionTime, {6AEDBD6D-3FB5-418A-83A6-7F45229DC872}.
constexpr GUID kTimeDimension = {
    0x6AEDBD6D, 0x3FB5, 0x418A, {0x83, 0xA6, 0x7F, 0x45, 0x22, 0x9D, 0xC8, 0x72}};
constexpr PROPID kFrameDelayProperty = 0x5100;
constexpr WORD kTypeLong = 4;
constexpr WORD kTypeSignedLong = 9;

}  // namespace

int TimeFrameCount(GpImage* image) {
    UINT count = 0;
    if (!image || gp::GdipImageGetFrameCount(image, &kTimeDimension, &count) != Gdiplus::Ok) {
        return image ? 1 : 0;
    }
    return count ? static_cast<int>(count) : 1;
}

void SelectTimeFrame(GpImage* image, int index) {
    if (image) gp::GdipImageSelectActiveFrame(image, &kTimeDimension, static_cast<UINT>(index));
}

std::vector<int> FrameDelays(GpImage* image) {
    UINT size = 0;
    if (!image || gp::GdipGetPropertyItemSize(image, kFrameDelayProperty, &size) != Gdiplus::Ok ||
        size < sizeof(Gdiplus::PropertyItem)) {
        return {};
    }
    std::vector<std::uint8_t> buffer(size);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
    if (gp::GdipGetPropertyItem(image, kFrameDelayProperty, size, item) != Gdiplus::Ok) return {};
    bool usable = (item->type == kTypeLong && item->length > 0 && item->value) ||
                  item->type == kTypeSignedLong;
    if (!usable || !item->value) return {};
    std::vector<int> delays(item->length / 4);
    std::memcpy(delays.data(), item->value, delays.size() * 4);
    return delays;
}

}  // namespace ui
