// Counts the digits of arbitrary text, reads arbitrary bytes as counted-number records and formats what
// comes out: no input may crash, and every text stays short and free of the process locale.
#include "model/editable_double.h"
#include "model/float_numbers_string.h"
#include "model/model_host.h"
#include "platform/core/archive.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

// Answers the display digits, which is all the numbers ask of the application.
class DisplayDigitsHost : public ModelHost {
public:
    ElementTable& GetElementTable() override { throw std::logic_error("not used"); }
    int GetDisplayDigits() const override { return displayDigits; }
    const STP& GetStandardConditions() const override { throw std::logic_error("not used"); }
    bool IsNewFromString() const override { return false; }
    bool IsNewFromClipboard() const override { return false; }
    std::string GetClipboardText() override { return {}; }
    bool AskReactionString(std::string&) override { return false; }
    void SetStatusText(const std::string&) override {}
    void SerializeEndMarker(bool&, bool, Archive&) override {}
    void OpenViewFrame(CQELTDoc&, ViewKind) override {}

    int displayDigits = 4;
};

// The longest text a double can give: sign, 17 digits, point, "e-", three exponent digits, or a plain
// number up to 1000 with 18 decimals.
constexpr std::size_t kLongestText = 32;

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

void CheckText(const std::string& text) {
    Check(!text.empty() && text.size() <= kLongestText);
    Check(text.find(',') == std::string::npos);
}

void FormatEveryWay(const CEditableDouble& number) {
    CFloatNumbersString text;
    text.Format(number.value, number.digits);
    CheckText(text);
    if (number.digits >= 1 && number.digits <= 17 && text != "???" && text != "0" &&
        text.find('e') != std::string::npos)
        Check(text.CountSignificantDigits() == number.digits);
    text.FormatFixed(number);
    CheckText(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static DisplayDigitsHost host;
    SetModelHost(&host);
    if (size == 0)
        return 0;
    // The first byte picks the display digits, nonsense values included.
    host.displayDigits = static_cast<std::int8_t>(data[0]);
    ++data;
    --size;

    const std::string text(reinterpret_cast<const char*>(data), size);
    const int count = CFloatNumbersString(text).CountSignificantDigits();
    Check(count >= 0 && static_cast<std::size_t>(count) <= text.size());

    Archive ar(std::vector<std::uint8_t>(data, data + size));
    CEditableDouble previous(1.0, 0);
    try {
        while (!ar.AtEnd()) {
            CEditableDouble number;
            number.Serialize(ar);
            Check(number.digits >= 0 && number.digits <= 17);
            FormatEveryWay(number);
            FormatEveryWay(number * previous);
            FormatEveryWay(number / previous);
            FormatEveryWay(number / 3);

            Archive out;
            number.Serialize(out);
            Check(out.Bytes().size() == 16);
            Archive back(out.Bytes());
            CEditableDouble copy;
            copy.Serialize(back);
            Check(copy.digits == number.digits &&
                  std::memcmp(&copy.value, &number.value, sizeof(double)) == 0);
            previous = number;
        }
    } catch (const ArchiveError&) {
    }
    return 0;
}
