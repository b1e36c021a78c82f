// A value together with its type tag: the argument of runtime operations that accept a value of
// any type, or an optional argument (the default-constructed value is "omitted"). Portable.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "runtime/value_types.h"

namespace rt {

class TaggedValue {
  public:
    // An OLE Automation date: days since 1899-12-30, the fraction is the time of day.
    struct DateTimeValue {
        double oleDays = 0;
    };
    struct SubProgramAddress {
        std::uint32_t address = 0;
    };
    // Elements of a fixed-size type, stored back to back in little-endian order.
    struct PackedArray {
        ByteSet elements;
    };
    using TextArray = std::vector<TextValue>;
    using Storage = std::variant<std::monostate, bool, DateTimeValue, TextValue, ByteSet,
                                 SubProgramAddress, std::uint8_t, std::int16_t, std::int32_t,
                                 std::int64_t, float, double, PackedArray, TextArray>;

    TaggedValue() = default;  // an omitted argument

    static TaggedValue Bool(bool value) { return {kTagBool, value}; }
    static TaggedValue DateTime(double oleDays) { return {kTagDateTime, DateTimeValue{oleDays}}; }
    static TaggedValue Text(TextValue value) { return {kTagText, std::move(value)}; }
    static TaggedValue Bytes(ByteSet value) { return {kTagBytes, std::move(value)}; }
    static TaggedValue SubProgram(std::uint32_t address) {
        return {kTagSubProgram, SubProgramAddress{address}};
    }
    static TaggedValue Byte(std::uint8_t value) { return {kTagByte, value}; }
    static TaggedValue Short(std::int16_t value) { return {kTagShort, value}; }
    static TaggedValue Int(std::int32_t value) { return {kTagInt, value}; }
    static TaggedValue Int64(std::int64_t value) { return {kTagInt64, value}; }
    static TaggedValue Float(float value) { return {kTagFloat, value}; }
    static TaggedValue Double(double value) { return {kTagDouble, value}; }

    // An array of fixed-size elements whose raw bytes are already packed.
    static TaggedValue PackedArrayOf(TypeTag elementTag, ByteSet elements) {
        return {elementTag | kArrayFlag, PackedArray{std::move(elements)}};
    }
    template <class T>
    static TaggedValue ArrayOf(const std::vector<T>& items) {
        ByteSet packed(items.size() * sizeof(T));
        if (!items.empty()) std::memcpy(packed.data(), items.data(), packed.size());
        return PackedArrayOf(ElementTagOf<T>(), std::move(packed));
    }
    static TaggedValue ArrayOfTexts(TextArray items) {
        return {kTagText | kArrayFlag, std::move(items)};
    }
    // A value known only by its tag (a library object, an array of another kind).
    static TaggedValue Opaque(std::uint32_t tag) { return {tag, std::monostate{}}; }

    std::uint32_t Tag() const { return tag_; }
    bool IsGiven() const { return tag_ != kTagOmitted; }
    bool IsArray() const { return (tag_ & kArrayFlag) != 0; }
    std::uint32_t ElementTag() const { return tag_ & ~static_cast<std::uint32_t>(kArrayFlag); }

    template <class T>
    const T* Get() const {
        return std::get_if<T>(&storage_);
    }

  private:
    TaggedValue(std::uint32_t tag, Storage storage) : tag_(tag), storage_(std::move(storage)) {}

    template <class T>
    static constexpr TypeTag ElementTagOf() {
        if constexpr (std::is_same_v<T, std::uint8_t>)
            return kTagByte;
        else if constexpr (std::is_same_v<T, std::int16_t>)
            return kTagShort;
        else if constexpr (std::is_same_v<T, std::int32_t>)
            return kTagInt;
        else if constexpr (std::is_same_v<T, std::int64_t>)
            return kTagInt64;
        else if constexpr (std::is_same_v<T, float>)
            return kTagFloat;
        else {
            static_assert(std::is_same_v<T, double>, "no array tag for this element type");
            return kTagDouble;
        }
    }

    std::uint32_t tag_ = kTagOmitted;
    Storage storage_;
};

}  // namespace rt
