#include "model/editable_double.h"
#include "model/float_numbers_string.h"

#include "support/test_model_host.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <limits>
#include <locale>

#include <unistd.h>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string Formatted(double value, int digits) {
    CFloatNumbersString text;
    text.Format(value, digits);
    return text;
}

std::string Fixed(double value) {
    CFloatNumbersString text;
    text.FormatFixed(value);
    return text;
}

struct FormatCase {
    double value;
    int digits;
    const char* text;
};

const FormatCase kFormatCases[] = {
    // Exponent form outside 0.01..1000: exactly digits significant digits, sign kept, two-digit exponent.
    {12345.678, 4, "1.235e+04"},
    {-12345.678, 4, "-1.235e+04"},
    {0.00123456, 4, "1.235e-03"},
    {-0.00123456, 4, "-1.235e-03"},
    {0.0099999, 4, "1.000e-02"},
    {1000.6, 4, "1.001e+03"},
    {1000.5, 4, "1.000e+03"}, // a tie rounds to even, as printf does
    {150000, 2, "1.5e+05"},
    {1e100, 4, "1.000e+100"},
    {-1e-100, 6, "-1.00000e-100"},
    {1e5, 1, "1e+05"},
    // Plain form, both bounds included, padded with zeros up to the count.
    {0.01, 4, "0.01000"},
    {0.05, 4, "0.05000"},
    {2.5, 4, "2.500"},
    {2, 4, "2.000"},
    {-0.5, 3, "-0.500"},
    {7, 0, "7.000"},
    {123.456, 6, "123.456"},
    {1000, 4, "1000"},
    {1000, 6, "1000.00"},
    {999.96, 4, "1000"},
    {-999.96, 4, "-1000"},
    {100, 3, "100"},
    {100, 4, "100.0"},
    {0.123456, 2, "0.12"},
    {0.0996, 2, "0.10"},
    // Fewer digits than the integer part: the exponent is written out.
    {530, 2, "530"},
    {-530, 2, "-530"},
    {1000, 3, "1000"},
    {999.96, 3, "1000"},
    {567.8, 1, "600"},
    {12.5, 1, "10"},
    // Zero and values that are not finite.
    {0, 4, "0"},
    {-0.0, 7, "0"},
    {kNaN, 4, "???"},
    {kInf, 4, "???"},
    {-kInf, 0, "???"},
};

TEST(FloatNumbersStringFormat, RoundsToTheCountInPlainOrExponentForm) {
    ScopedTestModelHost host;
    host.SetDisplayDigits(4);
    for (const FormatCase& c : kFormatCases)
        EXPECT_EQ(Formatted(c.value, c.digits), c.text) << c.value << " with " << c.digits << " digits";
}

TEST(FloatNumbersStringFormat, DigitsZeroTakesTheDisplayDigitsReadAtEachCall) {
    ScopedTestModelHost host;
    host.SetDisplayDigits(4);
    for (double value : {7.0, 0.05, 12345.678, -0.5, 1000.0}) {
        EXPECT_EQ(Formatted(value, 0), Formatted(value, 4)) << value;
    }
    host.SetDisplayDigits(6);
    EXPECT_EQ(Formatted(7, 0), "7.00000");
    EXPECT_EQ(Formatted(12345.678, 0), "1.23457e+04");
}

TEST(FloatNumbersStringFormat, ExtremeMagnitudesKeepTheirDigits) {
    ScopedTestModelHost host;
    host.SetDisplayDigits(4);
    EXPECT_EQ(Formatted(std::numeric_limits<double>::max(), 4), "1.798e+308");
    EXPECT_EQ(Formatted(-std::numeric_limits<double>::max(), 17), "-1.7976931348623157e+308");
    EXPECT_EQ(Formatted(std::numeric_limits<double>::denorm_min(), 4), "4.941e-324");
    EXPECT_EQ(Formatted(std::numeric_limits<double>::min(), 3), "2.23e-308");
}

// A count from a damaged file or setting must not lengthen the text without bound: counts above what a
// double carries are taken as 17, counts below 1 as the display digits.
TEST(FloatNumbersStringFormat, CountsOutOfRangeAreBounded) {
    ScopedTestModelHost host;
    host.SetDisplayDigits(4);
    EXPECT_EQ(Formatted(2, 17), "2.0000000000000000");
    EXPECT_EQ(Formatted(2, 18), "2.0000000000000000");
    EXPECT_EQ(Formatted(2, INT_MAX), "2.0000000000000000");
    EXPECT_EQ(Formatted(12345.678, INT_MAX), "1.2345678000000000e+04");
    EXPECT_EQ(Formatted(0.1, 40), "0.10000000000000001");
    EXPECT_EQ(Formatted(2, -1), "2.000");
    EXPECT_EQ(Formatted(2, INT_MIN), "2.000");
    EXPECT_EQ(Formatted(-1e-300, INT_MIN), "-1.000e-300");
}

struct DisplayCase {
    int displayDigits;
    double value;
    const char* text;
};

// The display digits come from a setting that is used as read; nonsense there still gives sane text.
TEST(FloatNumbersStringFormat, DisplayDigitsOutOfRangeAreBounded) {
    const DisplayCase cases[] = {
        {0, 2, "2"},
        {-5, 2, "2"},
        {INT_MIN, 12345.678, "1e+04"},
        {1, 530, "500"},
        {1000, 2, "2.0000000000000000"},
        {INT_MAX, 0.05, "0.050000000000000003"},
    };
    ScopedTestModelHost host;
    for (const DisplayCase& c : cases) {
        host.SetDisplayDigits(c.displayDigits);
        EXPECT_EQ(Formatted(c.value, 0), c.text) << c.value << " with display digits " << c.displayDigits;
    }
}

struct FixedCase {
    int displayDigits;
    double value;
    const char* text;
};

const FixedCase kFixedCases[] = {
    {4, 0.05, "0.05"},
    {4, 0.12345678, "0.1235"},
    {4, 123.456, "123.456"},
    {4, 2.0, "2"},
    {4, -0.5, "-0.5"},
    {4, 100, "100"},
    {4, 1000, "1000"},
    {4, 999.99999, "1000"},
    {4, 10000, "1e+04"},
    {4, 12345.678, "1.235e+04"},
    {4, 0.001234, "1.234e-03"},
    {4, 0.00001, "1e-05"},
    {4, -0.00001, "-1e-05"},
    {4, 0.01, "0.01"},
    {4, 0.0123456, "0.01235"},
    {4, 0.0099999, "1e-02"},
    {4, 1000.6, "1.001e+03"},
    {4, 1.5e-7, "1.5e-07"},
    {4, 1e100, "1e+100"},
    {4, 0, "0"},
    {4, kNaN, "???"},
    {4, -kInf, "???"},
    {6, 0.12345678, "0.123457"},
    {6, 12345.678, "1.23457e+04"},
    {6, 22.4, "22.4"},
    // Nonsense display digits are bounded, so a whole number never loses its trailing zeros.
    {0, 100, "100"},
    {-3, 100, "100"},
    {0, 12345.678, "1e+04"},
    {INT_MAX, 2, "2"},
    {INT_MAX, 0.1, "0.10000000000000001"},
    {INT_MAX, 12345.678, "1.2345678e+04"},
};

TEST(FloatNumbersStringFormatFixed, CompactTextWithTheDisplayDigits) {
    ScopedTestModelHost host;
    for (const FixedCase& c : kFixedCases) {
        host.SetDisplayDigits(c.displayDigits);
        EXPECT_EQ(Fixed(c.value), c.text) << c.value << " with display digits " << c.displayDigits;
    }
}

TEST(FloatNumbersStringFormatFixed, UsesTheValueOfACountedNumberOnly) {
    ScopedTestModelHost host;
    host.SetDisplayDigits(4);
    CFloatNumbersString text;
    text.FormatFixed(CEditableDouble(2.5, 8));
    EXPECT_EQ(text, "2.5");
}

struct CountCase {
    const char* text;
    int count;
};

TEST(FloatNumbersStringCount, CountsDigitsAfterLeadingZerosUpToTheExponent) {
    const CountCase cases[] = {
        {"1.50", 3}, {"-0.00120", 3}, {"0.0", 0},   {"1.2e5", 2},  {"+007", 1},  {".5", 1},
        {"120.", 3}, {"1000", 4},     {"0,05", 2},  {"0", 0},      {"0.000", 0}, {"", 0},
        {"-", 0},    {"???", 0},      {" 0.05", 3}, {"0.05", 1},   {"1.5E3", 2}, {"+-5", 1},
        {"2.50", 3}, {"2.5", 2},      {"1,50", 3},  {"12ab34", 4}, {"1e2e3", 1}, {"00.00.5", 1},
    };
    for (const CountCase& c : cases)
        EXPECT_EQ(CFloatNumbersString(c.text).CountSignificantDigits(), c.count) << '"' << c.text << '"';
    EXPECT_EQ(CFloatNumbersString(static_cast<const char*>(nullptr)).CountSignificantDigits(), 0);
}

// What Format writes reads back with the count it was written with, except where an integer part longer
// than the count is written out in full (530 with 2 digits).
TEST(FloatNumbersStringCount, FormattedTextCountsItsOwnDigits) {
    ScopedTestModelHost host;
    host.SetDisplayDigits(4);
    for (int digits = 1; digits <= 17; ++digits) {
        for (double value : {0.01, 0.05, 2.0, -0.0123, 0.999999, 12345.678, 1e-200, -5e300}) {
            CFloatNumbersString text;
            text.Format(value, digits);
            EXPECT_EQ(text.CountSignificantDigits(), digits) << value << " as " << text;
        }
    }
}

// A comma-decimal numpunct for the C++ global locale, which iostream-based formatting would follow.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

bool TrySetCommaLocale(const char* name) {
    return std::setlocale(LC_ALL, name) && *std::localeconv()->decimal_point == ',';
}

// Switches the C and C++ locales of the process to comma-decimal ones and back. A machine with no such C
// locale installed gets one compiled into a temporary folder, when it has the tools and sources for that.
class CommaLocale {
public:
    CommaLocale() : m_cppLocale(std::locale::global(std::locale(std::locale::classic(), new CommaDecimal))) {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8",
                                 "ru_RU.UTF-8", "es_ES.UTF-8", "it_IT.UTF-8", "pt_BR.UTF-8"}) {
            if (TrySetCommaLocale(name)) {
                m_cLocale = name;
                return;
            }
        }
        if (CompileLocale() && TrySetCommaLocale("de_DE.UTF-8")) {
            m_cLocale = "de_DE.UTF-8 (compiled)";
            return;
        }
        std::setlocale(LC_ALL, "C");
    }
    ~CommaLocale() {
        std::setlocale(LC_ALL, "C");
        std::locale::global(m_cppLocale);
        if (!m_folder.empty()) {
            unsetenv("LOCPATH");
            std::error_code ignored;
            std::filesystem::remove_all(m_folder, ignored);
        }
    }
    // The C locale in force, or empty when none with a decimal comma could be had.
    const std::string& CLocale() const { return m_cLocale; }

private:
    bool CompileLocale() {
        if (!std::filesystem::exists("/usr/share/i18n/locales/de_DE") ||
            std::system("command -v localedef >/dev/null 2>&1") != 0)
            return false;
        std::error_code error;
        m_folder = std::filesystem::temp_directory_path(error) / ("qelt-locale-" + std::to_string(getpid()));
        if (error || !std::filesystem::create_directories(m_folder, error))
            return false;
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + (m_folder / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0)
            return false;
        return setenv("LOCPATH", m_folder.c_str(), 1) == 0;
    }

    std::locale m_cppLocale;
    std::string m_cLocale;
    std::filesystem::path m_folder;
};

TEST(FloatNumbersStringLocale, TextIsTheSameUnderACommaDecimalLocale) {
    ScopedTestModelHost host;
    host.SetDisplayDigits(4);
    CommaLocale locale;
    if (locale.CLocale().empty())
        std::cout << "no comma-decimal C locale to be had; checked under the C++ global locale only\n";
    else
        std::cout << "checked under the C locale " << locale.CLocale() << "\n";
    for (const FormatCase& c : kFormatCases)
        EXPECT_EQ(Formatted(c.value, c.digits), c.text) << c.value << " under " << locale.CLocale();
    for (const FixedCase& c : kFixedCases) {
        host.SetDisplayDigits(c.displayDigits);
        EXPECT_EQ(Fixed(c.value), c.text) << c.value << " under " << locale.CLocale();
    }
    host.SetDisplayDigits(4);
    EXPECT_EQ(Formatted(1234.5, 5), "1.2345e+03");
    EXPECT_EQ(Fixed(0.5), "0.5");
}

} // namespace
