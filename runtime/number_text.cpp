#include "runtime/number_text.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace rt {

namespace {

// A natural number in base 10^9, least significant limb first; just what the fixed-point text of
// a double needs: the exact value of its bits times 10^6, then its digits.
class LongDecimal {
  public:
    explicit LongDecimal(std::uint64_t value) {
        for (; value != 0; value /= kBase)
            limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
    }

    bool IsZero() const { return limbs_.empty(); }
    bool IsOdd() const { return !limbs_.empty() && (limbs_.front() & 1) != 0; }

    void MultiplyBy(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t product = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(product % kBase);
            carry = product / kBase;
        }
        for (; carry != 0; carry /= kBase)
            limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
    }

    // Halves the number and gives the bit that fell off.
    bool Halve() {
        std::uint64_t remainder = 0;
        for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
            const std::uint64_t value = remainder * kBase + *limb;
            *limb = static_cast<std::uint32_t>(value / 2);
            remainder = value % 2;
        }
        while (!limbs_.empty() && limbs_.back() == 0)
            limbs_.pop_back();
        return remainder != 0;
    }

    void AddOne() {
        for (std::uint32_t& limb : limbs_) {
            if (++limb < kBase) return;
            limb = 0;
        }
        limbs_.push_back(1);
    }

    std::string Digits() const {
        if (limbs_.empty()) return "0";
        std::string digits = std::to_string(limbs_.back());
        for (auto limb = limbs_.rbegin() + 1; limb != limbs_.rend(); ++limb) {
            const std::string part = std::to_string(*limb);
            digits.append(9 - part.size(), '0').append(part);
        }
        return digits;
    }

  private:
    static constexpr std::uint32_t kBase = 1000000000;
    std::vector<std::uint32_t> limbs_;
};

// Multiplies by 2^exponent, or divides by 2^-exponent rounding to nearest, ties to even: what
// "%f" does with the exact value of the bits.
void ScaleByPowerOfTwo(LongDecimal& number, int exponent) {
    for (; exponent >= 31; exponent -= 31)
        number.MultiplyBy(1u << 31);
    if (exponent > 0) number.MultiplyBy(1u << exponent);
    bool half = false, belowHalf = false;
    for (; exponent < 0 && !number.IsZero(); ++exponent) {
        belowHalf = belowHalf || half;
        half = number.Halve();
    }
    if (exponent < 0) {  // the number ran out: what fell off is below a half of the last place
        belowHalf = belowHalf || half;
        half = false;
    }
    if (half && (belowHalf || number.IsOdd())) number.AddOne();
}

}  // namespace

TextValue TrimTrailingZeros(TextValue text) {
    if (text.find('.') == TextValue::npos) return text;
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

// The digits of "%f" worked out exactly, by hand: the printf family would bring 28 KB of
// formatting code into the program for this one use, and a fixed buffer would not do ("%f" of
// 1e300 is 308 characters).
TextValue FixedPointText(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const TextValue sign = negative ? "-" : "";
    if (biased == 0x7FF) return sign + (fraction != 0 ? "nan" : "inf");

    // value = mantissa * 2^exponent; its text is that times 10^6 with a point before six digits.
    const std::uint64_t mantissa = biased == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int exponent = (biased == 0 ? 1 : biased) - 1075;
    LongDecimal millionths(mantissa);
    millionths.MultiplyBy(1000000);
    ScaleByPowerOfTwo(millionths, exponent);
    std::string digits = millionths.Digits();
    if (digits.size() < 7) digits.insert(0, 7 - digits.size(), '0');
    digits.insert(digits.size() - 6, 1, '.');
    return TrimTrailingZeros(sign + digits);
}

TextValue DecimalText(std::int64_t value) {
    return std::to_string(value);
}

}  // namespace rt
