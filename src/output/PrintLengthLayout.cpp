#include "PrintLengthLayout.h"

#include "AutoCharSize.h"
#include "OutputValidation.h"

#include "model/Catalogue.h"

#include <algorithm>

namespace qx::output {

PrintLengthLayout layoutPrintLength(const model::Catalogue& catalogue, const model::EditData& data, int piece) {
    const model::TargetSettings& settings = data.target;
    PrintLengthLayout layout;
    const int n = usedBlockCount(data);
    layout.blocks.reserve(static_cast<std::size_t>(n));
    layout.extents.reserve(static_cast<std::size_t>(n));
    layout.gap = model::Catalogue::charGapDots(settings.charSpacing);
    int plainHeight = 0;
    for (int b = 0; b < n; ++b) {
        model::EditBlock block = data.block(b);
        ResolveAutoCharSize(catalogue, settings, block, piece);
        const BlockExtent e = MeasureBlock(catalogue, settings, block, piece);
        if (blockHasText(block))
            layout.textWidth += e.length + (block.reverse != 0 ? 4 : 0);
        int height = e.height;
        if (block.reverse != 0)
            height += 4;
        else if (block.underline != 0 && settings.frame == 0)
            height += 4;
        layout.textHeight = std::max(layout.textHeight, height);
        plainHeight = std::max(plainHeight, e.height);
        layout.blocks.push_back(std::move(block));
        layout.extents.push_back(e);
    }
    if (n > 1)
        layout.textWidth += (n - 1) * layout.gap;
    if (settings.frame != 0 && n > 0) {
        const int f = settings.frame;
        layout.framedWidth = layout.textWidth + 4 * f + 4 - (layout.blocks.front().reverse != 0 ? 2 : 0) -
                             (layout.blocks.back().reverse != 0 ? 2 : 0);
        layout.framedHeight = plainHeight + 4 * f + 4;
    } else {
        layout.framedWidth = layout.textWidth;
        layout.framedHeight = layout.textHeight;
    }
    layout.mediumWidth = printLengthMediumWidth(settings, layout.framedWidth);
    layout.mediumHeight = catalogue.mediumHeight(settings);
    return layout;
}

int printLengthMediumWidth(const model::TargetSettings& target, int framedWidth) {
    if (target.printLength != 0)
        return model::tenthsToDotsRounded(target.printLength * 10);
    const int leftMargin = model::tenthsToDotsRounded(target.leftMargin * 10);
    const int rightMargin = model::tenthsToDotsRounded(target.rightMargin * 10);
    return std::max(118, leftMargin + framedWidth + rightMargin); // at least 10 mm
}

} // namespace qx::output
