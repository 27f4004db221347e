#include "DocumentSaving.h"

#include "formats/CsvFile.h"
#include "formats/DocumentFile.h"
#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"
#include "model/StringTable.h"

#include <QDir>

namespace qx::app {

namespace {

constexpr int DocumentExtensionText = 40002; // ".QXF"

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

SaveProposal proposeSaveName(const QString& pathName, const QString& title, bool replace) {
    SaveProposal proposal;
    if (replace && pathName.isEmpty()) {
        // A title may carry characters that no file name should start a new part with.
        static const QString cutAt = QStringLiteral(" #%;/\\");
        qsizetype end = title.size();
        for (qsizetype i = 0; i < title.size(); ++i) {
            if (cutAt.contains(title[i])) {
                end = i;
                break;
            }
        }
        proposal.name = title.left(end);
        return proposal;
    }
    const QString path = QDir::fromNativeSeparators(pathName);
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    proposal.folder = slash >= 0 ? path.left(slash == 0 ? 1 : slash) : QString();
    proposal.name = slash >= 0 ? path.mid(slash + 1) : path;
    const QString extension = fromUtf8(model::messageText(DocumentExtensionText));
    const qsizetype dot = proposal.name.lastIndexOf(QLatin1Char('.'));
    if (!extension.isEmpty() && dot >= 0 && proposal.name.mid(dot).compare(extension, Qt::CaseInsensitive) != 0) {
        proposal.name.truncate(dot);
    }
    return proposal;
}

SaveBytes saveBytesFor(const QString& path, const model::EditData& data, const model::Catalogue& catalogue,
                       const model::OperatorSettings& settings) {
    SaveBytes result;
    result.kind = formats::extensionKind(path.toStdString());
    switch (result.kind) {
    case formats::ExtensionKind::DocumentFile: {
        formats::SaveDocumentResult encoded = formats::saveDocumentFile(data, catalogue, settings);
        if (!encoded.ok) {
            result.status = SaveBytes::Status::EncodeFailed;
            result.messageId = encoded.messageId;
            result.failedBlock = encoded.failedBlock;
            result.failedLine = encoded.failedLine;
            return result;
        }
        result.status = SaveBytes::Status::Ready;
        result.bytes = std::move(encoded.bytes);
        return result;
    }
    case formats::ExtensionKind::Csv: {
        const std::string text = formats::writeCsv(data, catalogue.model());
        result.status = SaveBytes::Status::Ready;
        result.bytes.assign(text.begin(), text.end());
        return result;
    }
    case formats::ExtensionKind::Other:
        break;
    }
    result.status = SaveBytes::Status::NotSavable;
    return result;
}

QStringList fileDialogFilters(std::string_view filter) {
    QStringList parts = fromUtf8(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString text = parts[i];
        const QString pattern = parts[i + 1];
        if (text.isEmpty() || pattern.isEmpty()) {
            break;
        }
        QStringList patterns;
        for (const QString& p : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns.push_back(p);
            if (p.toLower() != p) {
                patterns.push_back(p.toLower());
            }
        }
        QString name = text;
        const qsizetype open = name.lastIndexOf(QLatin1Char('('));
        if (open >= 0) {
            name = name.left(open).trimmed();
        }
        filters.push_back(QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' '))));
    }
    return filters;
}

} // namespace qx::app
