#include "ui/frames/WindowLayout.h"

#include <QSettings>

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace qx::ui {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

/// Splits at commas and reads every field as an integer; nothing unless there are exactly `n`.
std::optional<std::vector<long long>> integerFields(std::string_view text, std::size_t n) {
    std::vector<long long> values;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view field = trimmed(text.substr(0, comma));
        long long value = 0;
        const char* end = field.data() + field.size();
        const char* first = field.data();
        if (!field.empty() && field.front() == '+') {
            ++first;
        }
        const auto [ptr, ec] = std::from_chars(first, end, value);
        if (field.empty() || ec != std::errc() || ptr != end) {
            return std::nullopt;
        }
        values.push_back(value);
        if (values.size() > n) {
            return std::nullopt;
        }
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    if (values.size() != n) {
        return std::nullopt;
    }
    return values;
}

bool fitsInt(long long v) { return v >= INT32_MIN && v <= INT32_MAX; }

unsigned normalisedShowState(unsigned state) {
    if (state == ShowState::Hidden || state == ShowState::Minimised || state == ShowState::MinimisedInactive) {
        return ShowState::Normal;
    }
    return state;
}

QSettings& inLayoutSection(QSettings& store) {
    store.beginGroup(QString::fromLatin1(LayoutSection));
    return store;
}

} // namespace

std::optional<int> parseStoredInteger(std::string_view text) {
    const auto fields = integerFields(text, 1);
    if (!fields || !fitsInt(fields->front())) {
        return std::nullopt;
    }
    return static_cast<int>(fields->front());
}

std::optional<WindowPlacement> parseMainPosition(std::string_view text) {
    const auto f = integerFields(text, 10);
    if (!f) {
        return std::nullopt;
    }
    if ((*f)[0] < 0 || (*f)[0] > UINT32_MAX || (*f)[1] < 0 || (*f)[1] > UINT32_MAX ||
        !std::all_of(f->begin() + 2, f->end(), fitsInt)) {
        return std::nullopt;
    }
    WindowPlacement p;
    p.flags = static_cast<unsigned>((*f)[0]);
    p.showState = normalisedShowState(static_cast<unsigned>((*f)[1]));
    p.minimisedX = static_cast<int>((*f)[2]);
    p.minimisedY = static_cast<int>((*f)[3]);
    p.maximisedX = static_cast<int>((*f)[4]);
    p.maximisedY = static_cast<int>((*f)[5]);
    p.left = static_cast<int>((*f)[6]);
    p.top = static_cast<int>((*f)[7]);
    p.right = static_cast<int>((*f)[8]);
    p.bottom = static_cast<int>((*f)[9]);
    if (static_cast<long long>(p.right) - p.left <= 0 || static_cast<long long>(p.bottom) - p.top <= 0) {
        return std::nullopt;
    }
    return p;
}

QString formatMainPosition(const WindowPlacement& p) {
    return QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9,%10")
        .arg(p.flags)
        .arg(normalisedShowState(p.showState))
        .arg(p.minimisedX)
        .arg(p.minimisedY)
        .arg(p.maximisedX)
        .arg(p.maximisedY)
        .arg(p.left)
        .arg(p.top)
        .arg(p.right)
        .arg(p.bottom);
}

std::optional<QSize> parseChildSize(std::string_view text) {
    const auto f = integerFields(text, 2);
    if (!f || (*f)[0] <= 0 || (*f)[1] <= 0 || !fitsInt((*f)[0]) || !fitsInt((*f)[1])) {
        return std::nullopt;
    }
    return QSize(static_cast<int>((*f)[0]), static_cast<int>((*f)[1]));
}

QString formatChildSize(QSize size) { return QStringLiteral("%1,%2").arg(size.width()).arg(size.height()); }

QRect defaultMainRect(const QRect& workArea, int menuHeight) {
    const int width = static_cast<int>(static_cast<long long>(workArea.width()) * 85 / 100);
    const int height = static_cast<int>(static_cast<long long>(workArea.height() + menuHeight) * 85 / 100);
    QRect rect(0, 0, width, height);
    rect.moveCenter(workArea.center());
    return rect;
}

QSize defaultChildSize(QSize mainNormalSize) {
    return QSize(static_cast<int>(static_cast<long long>(mainNormalSize.width()) * 80 / 100),
                 static_cast<int>(static_cast<long long>(mainNormalSize.height()) * 80 / 100));
}

int paneRatioFrom(std::optional<int> stored) {
    return stored ? std::clamp(*stored, 0, 100) : DefaultPaneRatio;
}

int columnWidthFrom(std::optional<int> stored) {
    // A width the operator could not have dragged to is damage, not a choice.
    constexpr int widest = 4000;
    return stored && *stored > 0 && *stored <= widest ? *stored : DefaultColumnWidth;
}

QString columnSizeKey(int index) { return QStringLiteral("ColumnSize%1").arg(index, 2, 10, QLatin1Char('0')); }

PaneSizes paneSizesFor(QSize client, int propertyPaneWidth, int paneRatioV) {
    constexpr int smallest = 11;
    PaneSizes sizes;
    sizes.gridWidth = std::max(client.width() - propertyPaneWidth, smallest);
    sizes.upperHeight =
        std::max(static_cast<int>(static_cast<long long>(client.height()) * paneRatioV / 100), smallest);
    return sizes;
}

int ratioPercent(int part, int whole) {
    if (whole <= 0) {
        return 0;
    }
    return static_cast<int>(static_cast<long long>(part) * 100 / whole);
}

std::optional<int> readStoredInteger(QSettings& store, const QString& key) {
    const std::optional<QString> text = readStoredText(store, key);
    if (!text) {
        return std::nullopt;
    }
    return parseStoredInteger(text->toStdString());
}

std::optional<QString> readStoredText(QSettings& store, const QString& key) {
    inLayoutSection(store);
    const QVariant value = store.value(key);
    store.endGroup();
    if (!value.isValid()) {
        return std::nullopt;
    }
    // A text holding a comma comes back from an INI file as a list of its parts.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    return value.toString();
}

void writeStoredInteger(QSettings& store, const QString& key, int value) {
    inLayoutSection(store).setValue(key, value);
    store.endGroup();
}

void writeStoredText(QSettings& store, const QString& key, const QString& value) {
    inLayoutSection(store).setValue(key, value);
    store.endGroup();
}

std::vector<int> readColumnWidths(QSettings& store, int lineCount) {
    std::vector<int> widths;
    for (int i = 0; i < lineCount; ++i) {
        widths.push_back(columnWidthFrom(readStoredInteger(store, columnSizeKey(i))));
    }
    return widths;
}

void writeColumnWidths(QSettings& store, const std::vector<int>& widths) {
    for (std::size_t i = 0; i < widths.size(); ++i) {
        writeStoredInteger(store, columnSizeKey(static_cast<int>(i)), widths[i]);
    }
}

} // namespace qx::ui
