#pragma once

#include "model/EditData.h"

#include <QSize>
#include <QWidget>

#include <cstdint>
#include <functional>

class QSettings;

namespace qx::output {
struct PrintOptions;
}

namespace qx::ui {

class CCellEdit;
class CPrintImageView;

class CEditingController;
class CKorvintaView;
class CMySplitterWnd;
class CPropertyView;
class EditDocument;
struct EnablingContext;

/// A document window: the grid view, the property pane and the print image pane in two
/// splitters, the pane ratios kept in the settings store, and the window's undo and redo lists.
class CChildFrame final : public QWidget {
    Q_OBJECT

public:
    /// `store` holds the "Settings" section the window reads and writes its layout in.
    CChildFrame(EditDocument& document, QSettings& store, QWidget* parent = nullptr);
    ~CChildFrame() override;

    EditDocument& document() const { return m_document; }
    CKorvintaView& view() const { return *m_view; }
    QWidget& propertyPane() const;
    CPropertyView& propertyView() const { return *m_propertyPane; }
    CPrintImageView& printImagePane() const { return *m_printImage; }
    CMySplitterWnd& outerSplitter() const { return *m_outer; }
    CMySplitterWnd& innerSplitter() const { return *m_inner; }

    int paneRatioH() const { return m_paneRatioH; }
    int paneRatioV() const { return m_paneRatioV; }

    /// The size the window takes when it is not shown at full size.
    QSize normalSize() const { return m_normalSize; }
    void setNormalSize(QSize size) { m_normalSize = size; }

    /// First activation: the stored text-line column widths, the grid pane gets the focus.
    void activateFirstTime();

    /// The commands this window carries out itself.
    bool hasCommand(int command) const;
    /// Runs one of them; false when it is not this window's.
    bool runCommand(int command);

    /// The window's part of the enabling rules (document, grid and undo lists).
    void fillEnablingContext(EnablingContext& context) const;

    /// The window's editing commands, with its undo and redo lists.
    CEditingController& editing() const { return *m_editing; }

    /// The width the property pane needs: its own preferred width plus the divider, or 230.
    int propertyPaneWidth() const;

    /// 57607: validates a copy of the document, runs the model's print dialog and prints. A print
    /// the whole-image preview asks for starts from the order it showed.
    void PrintCommand();
    /// 32773: runs the model's send dialog and stores the document in the printer.
    void SendCommand();

    /// Asked before the window closes; false keeps it open (the document's save question).
    void setCloseQuery(std::function<bool(CChildFrame&)> query) { m_closeQuery = std::move(query); }

signals:
    /// Something the enabling rules look at has changed (focus, selection, editing state).
    void commandStateChanged();
    /// A command the grid asks for; the main frame runs it as if from its menu.
    void commandRequested(int command);
    /// The operator widened or narrowed a text line column; the widths are already stored.
    void columnWidthsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void wirePropertyAndSequence();
    /// The sequence and symbol commands on the open cell editor; false when no cell is edited.
    bool runDialogInEditor(int command);
    void runDialogInEditor(int command, CCellEdit& editor);
    void layoutPanes();
    void recomputeRatios();
    void focusPane(int step);
    void sendJob(const output::PrintOptions& options);

    EditDocument& m_document;
    QSettings& m_store;
    CMySplitterWnd* m_outer;
    CMySplitterWnd* m_inner;
    CKorvintaView* m_view;
    CPropertyView* m_propertyPane;
    CPrintImageView* m_printImage;
    int m_paneRatioH;
    int m_paneRatioV;
    QSize m_normalSize;
    bool m_activated = false;
    CEditingController* m_editing;
    std::function<bool(CChildFrame&)> m_closeQuery;
};

} // namespace qx::ui
