#pragma once

// The documents the widget benchmarks work on, and the editor context around one of them.

#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"
#include "output/PrintOptions.h"
#include "support/ScriptedPrompter.h"
#include "ui/EditDocument.h"
#include "ui/EditorContext.h"
#include "ui/grid/ForbiddenCharNotice.h"

#include <QSettings>
#include <QTemporaryDir>

namespace benchdata {

namespace model = qx::model;

/// 999 blocks of four lines of twenty characters, a sequence number in every tenth block and two
/// printer symbols (circled numbers, units) in every third.
inline model::EditData fullDocument(const model::Catalogue& catalogue) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = model::MaxBlocks;
    for (int b = 0; b < model::MaxBlocks; ++b) {
        model::EditBlock& block = data.block(b);
        block.lineCount = model::MaxLines;
        block.pitch = static_cast<std::int16_t>(300 + b % 7);
        for (int l = 0; l < model::MaxLines; ++l) {
            block.lines[static_cast<std::size_t>(l)].chars.assign(
                20, static_cast<model::CharCode>(0x2341 + (b + l) % 26));
            block.lines[static_cast<std::size_t>(l)].charSize = 1;
        }
        if (b % 10 == 0) {
            block.lines[0].chars[5] = model::codes::SequenceMarker;
            block.appendSequence(model::tagSEQ_V900{1, 3, 1, 100, 0, 0});
        }
        if (b % 3 == 0) {
            block.lines[1].chars[8] = static_cast<model::CharCode>(0x2A21 + b % 40);
            block.lines[2].chars[12] = static_cast<model::CharCode>(0x2B21 + b % 40);
        }
    }
    return data;
}

/// The longest whole image: 999 blocks of one letter and a sequence number from 1 to 100, so
/// 99,900 pieces, within the document's character budget.
inline model::EditData longRunDocument(const model::Catalogue& catalogue) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = model::MaxBlocks;
    data.target.pitchAuto = 0;
    for (int b = 0; b < model::MaxBlocks; ++b) {
        model::EditBlock& block = data.block(b);
        block.lineCount = 1;
        block.count = 1;
        block.pitch = 200;
        block.lines[0].chars = {static_cast<model::CharCode>(0x2341 + b % 26), model::codes::SequenceMarker};
        block.lines[0].charSize = 1;
        block.appendSequence(model::tagSEQ_V900{1, 3, 1, 100, 0, 0});
    }
    return data;
}

/// An open document of the QX-950W3 with everything a window around it needs, its checks current.
class EditorFixture {
public:
    explicit EditorFixture(model::EditData (*build)(const model::Catalogue&) = fullDocument)
        : m_store(m_dir.filePath("settings.ini"), QSettings::IniFormat),
          m_catalogue(model::models::QX950W3),
          m_settings(model::OperatorSettings::defaultsFor(m_catalogue)),
          m_context{m_catalogue, m_settings, m_printOptions, m_prompter, m_store, nullptr, &m_notice},
          m_document(m_context, build(m_catalogue)) {
        m_document.recomputeAllChecks();
    }

    const model::Catalogue& catalogue() const { return m_catalogue; }
    const model::OperatorSettings& settings() const { return m_settings; }
    const qx::ui::EditorContext& context() const { return m_context; }
    qx::ui::EditDocument& document() { return m_document; }

private:
    QTemporaryDir m_dir;
    QSettings m_store;
    model::Catalogue m_catalogue;
    model::OperatorSettings m_settings;
    qx::output::PrintOptions m_printOptions;
    qx::output::testing::ScriptedPrompter m_prompter;
    qx::ui::ForbiddenCharNotice m_notice{[](QWidget*) { return false; }};
    qx::ui::EditorContext m_context;
    qx::ui::EditDocument m_document;
};

} // namespace benchdata
