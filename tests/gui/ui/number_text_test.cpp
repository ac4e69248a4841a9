// Numbers in the boxes read and show the same under every process locale.
#include "ui/number_text.h"

#include <QLocale>
#include <QTest>

#include <clocale>
#include <limits>

namespace {

// A German process: decimal comma in QLocale() and, where the system has the
// locale, in the C library too.
class ProcessLocale {
public:
    explicit ProcessLocale(bool german)
    {
        if (!german)
            return;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
    ~ProcessLocale()
    {
        QLocale::setDefault(QLocale::c());
        std::setlocale(LC_ALL, "C");
    }
    ProcessLocale(const ProcessLocale&) = delete;
    ProcessLocale& operator=(const ProcessLocale&) = delete;
};

// Adds each case once under the C locale and once under a German one.
template <class AddRow>
void inBothLocales(const char* name, AddRow addRow)
{
    addRow(QByteArray("C/") + name, false);
    addRow(QByteArray("de/") + name, true);
}

using OptionalDouble = std::optional<double>;
using OptionalInt = std::optional<int>;

}  // namespace

Q_DECLARE_METATYPE(OptionalDouble)
Q_DECLARE_METATYPE(OptionalInt)

class NumberTextTest : public QObject {
    Q_OBJECT

private slots:
    void parseDouble_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("text");
        QTest::addColumn<OptionalDouble>("expected");
        const auto rows = {
            std::pair<const char*, OptionalDouble>{"2.5", 2.5},
            {".5", 0.5},
            {"-3", -3.0},
            {"1e-3", 0.001},
            {"1E3", 1000.0},
            {"+1", 1.0},
            {"  7.25 ", 7.25},
            {"\t12\t", 12.0},
            {"-.5", -0.5},
            {"", std::nullopt},
            {"   ", std::nullopt},
            {"abc", std::nullopt},
            {"1,5", std::nullopt},
            {"1,500", std::nullopt},
            {"0x10", std::nullopt},
            {"inf", std::nullopt},
            {"-inf", std::nullopt},
            {"nan", std::nullopt},
            {"1e400", std::nullopt},
            {"1.5.2", std::nullopt},
            {"2.5m", std::nullopt},
            {"1 000", std::nullopt},
        };
        for (const auto& [text, expected] : rows)
            inBothLocales(text[0] ? text : "<empty>", [&](const QByteArray& name, bool german) {
                QTest::newRow(name.constData()) << german << QString::fromUtf8(text) << expected;
            });
    }

    void parseDouble()
    {
        QFETCH(bool, german);
        QFETCH(QString, text);
        QFETCH(OptionalDouble, expected);
        const ProcessLocale locale(german);
        QCOMPARE(ui::parseDouble(text), expected);
    }

    void parseInt_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("text");
        QTest::addColumn<OptionalInt>("expected");
        const auto rows = {
            std::pair<const char*, OptionalInt>{"12", 12},
            {" -7 ", -7},
            {"+3", 3},
            {"0", 0},
            {"49", 49},
            {"2147483647", std::numeric_limits<int>::max()},
            {"-2147483648", std::numeric_limits<int>::min()},
            {"2147483648", std::nullopt},
            {"1.5", std::nullopt},
            {"3.0", std::nullopt},
            {"1e3", std::nullopt},
            {"0x1f", std::nullopt},
            {"1,000", std::nullopt},
            {"", std::nullopt},
            {"abc", std::nullopt},
        };
        for (const auto& [text, expected] : rows)
            inBothLocales(text[0] ? text : "<empty>", [&](const QByteArray& name, bool german) {
                QTest::newRow(name.constData()) << german << QString::fromUtf8(text) << expected;
            });
    }

    void parseInt()
    {
        QFETCH(bool, german);
        QFETCH(QString, text);
        QFETCH(OptionalInt, expected);
        const ProcessLocale locale(german);
        QCOMPARE(ui::parseInt(text), expected);
    }

    void formatDouble_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        const auto rows = {
            std::tuple<const char*, double, const char*>{"fraction", 2.5, "2.5"},
            {"zero", 0.0, "0"},
            {"capacity", 275.48, "275.48"},
            {"small", 1e-5, "1e-05"},
            {"thousand", 1000.0, "1000"},
            {"negative", -3.0, "-3"},
            {"sum of tenths", 0.1 + 0.2, "0.3"},
            {"fifteen digits", 123456789012345.0, "123456789012345"},
            {"huge", 1e20, "1e+20"},
            {"long fraction", 0.123456789012345678, "0.123456789012346"},
        };
        for (const auto& [name, value, expected] : rows)
            inBothLocales(name, [&](const QByteArray& rowName, bool german) {
                QTest::newRow(rowName.constData()) << german << value << QString::fromUtf8(expected);
            });
    }

    void formatDouble()
    {
        QFETCH(bool, german);
        QFETCH(double, value);
        QFETCH(QString, expected);
        const ProcessLocale locale(german);
        QCOMPARE(ui::formatDouble(value), expected);
    }

    // The layer lists: six decimals, rounded, no group separator.
    void formatFixed6_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        const auto rows = {
            std::tuple<const char*, double, const char*>{"thickness", 2.5, "2.500000"},
            {"negative friction", -3.125, "-3.125000"},
            {"rounded up", 0.1234567, "0.123457"},
            {"below the last decimal", 1e-7, "0.000000"},
            {"large", 1234567.0, "1234567.000000"},
        };
        for (const auto& [name, value, expected] : rows)
            inBothLocales(name, [&](const QByteArray& rowName, bool german) {
                QTest::newRow(rowName.constData()) << german << value << QString::fromUtf8(expected);
            });
    }

    void formatFixed6()
    {
        QFETCH(bool, german);
        QFETCH(double, value);
        QFETCH(QString, expected);
        const ProcessLocale locale(german);
        QCOMPARE(ui::formatFixed6(value), expected);
    }

    // Computed results in tables and titles: two decimals, always both.
    void formatResult2_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        const auto rows = {
            std::tuple<const char*, double, const char*>{"one decimal shown with two", 50.7, "50.70"},
            {"whole", 186.0, "186.00"},
            {"rounded down", 62.374, "62.37"},
            {"rounded up", 62.375, "62.38"},
            {"large", 12345.678, "12345.68"},
            {"binary value just below the half rounded up", 2.675, "2.68"},
            {"binary value below the half rounded down", 2.6749, "2.67"},
            {"negative cut toward zero", -1.234, "-1.22"},
        };
        for (const auto& [name, value, expected] : rows)
            inBothLocales(name, [&](const QByteArray& rowName, bool german) {
                QTest::newRow(rowName.constData()) << german << value << QString::fromUtf8(expected);
            });
    }

    void formatResult2()
    {
        QFETCH(bool, german);
        QFETCH(double, value);
        QFETCH(QString, expected);
        const ProcessLocale locale(german);
        QCOMPARE(ui::formatResult2(value), expected);
    }

    void formatInt_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("expected");
        inBothLocales("negative", [](const QByteArray& name, bool german) {
            QTest::newRow(name.constData()) << german << -12 << QStringLiteral("-12");
        });
        inBothLocales("no group separator", [](const QByteArray& name, bool german) {
            QTest::newRow(name.constData()) << german << 1234567 << QStringLiteral("1234567");
        });
    }

    void formatInt()
    {
        QFETCH(bool, german);
        QFETCH(int, value);
        QFETCH(QString, expected);
        const ProcessLocale locale(german);
        QCOMPARE(ui::formatInt(value), expected);
    }
};

QTEST_MAIN(NumberTextTest)
#include "number_text_test.moc"
