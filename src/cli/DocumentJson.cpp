#include "DocumentJson.h"

#include "JsonWriter.h"
#include "model/TextConversion.h"

#include <algorithm>

namespace qx::cli {

namespace {

template <typename Values> void numberArray(JsonWriter& json, std::string_view name, const Values& values) {
    json.key(name);
    json.beginArray(true);
    for (const auto v : values) {
        json.value(static_cast<long long>(v));
    }
    json.endArray();
}

void writeBlock(JsonWriter& json, const model::EditBlock& block) {
    json.beginObject();
    json.field("lineCount", block.lineCount);
    json.field("count", block.count);
    json.field("pitch", block.pitch);
    json.field("reverse", block.reverse);
    json.field("underline", block.underline);
    json.field("reserved", block.reserved);
    json.key("sequences");
    json.beginArray();
    const int sequences = std::clamp<int>(block.sequenceCount, 0, model::MaxSequencesPerBlock);
    for (int i = 0; i < sequences; ++i) {
        const model::tagSEQ_V900& s = block.sequence(i);
        json.beginObject(true);
        json.field("mode", s.mode);
        json.field("digits", s.digits);
        json.field("start", s.start);
        json.field("end", s.end);
        json.field("output", s.output);
        json.endObject();
    }
    json.endArray();
    json.key("lines");
    json.beginArray();
    for (const model::EditLine& line : block.lines) {
        json.beginObject(true);
        json.field("charSize", line.charSize);
        json.field("charWidth", line.charWidth);
        numberArray(json, "codes", line.chars);
        json.field("text", model::codesToUtf8(line.chars, false));
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

} // namespace

std::string documentJson(const model::EditData& data) {
    const model::TargetSettings& t = data.target;
    JsonWriter json;
    json.beginObject();
    json.field("targetKind", t.targetKind);
    json.field("targetSize", t.targetSize);
    json.field("blockCount", data.blockCount);
    json.field("printMode", t.printMode);
    json.field("pitchAuto", t.pitchAuto);
    json.field("labelWidth", t.labelWidth);
    json.field("labelLength", t.labelLength);
    json.field("labelGap", t.labelGap);
    json.field("printLength", t.printLength);
    json.field("printCount", t.printCount);
    json.field("placement", t.placement);
    json.field("leftMargin", t.leftMargin);
    json.field("rightMargin", t.rightMargin);
    json.field("sizeMode", t.sizeMode);
    json.field("direction", t.direction);
    json.field("charSpacing", t.charSpacing);
    json.field("lineSpacing", t.lineSpacing);
    json.field("pitchCut", t.pitchCut);
    json.field("frame", t.frame);
    json.field("frameGap", t.frameGap);
    json.field("printFont", t.printFont);
    json.field("autoTextSize", t.autoTextSize);
    json.field("zeroSlash", t.zeroSlash);
    numberArray(json, "extraSettings", data.extraSettings);
    numberArray(json, "sendSettings", data.sendSettings);
    json.key("blocks");
    json.beginArray();
    const int blocks = std::clamp<int>(data.blockCount, 1, model::MaxBlocks);
    for (int b = 0; b < blocks; ++b) {
        writeBlock(json, data.block(b));
    }
    json.endArray();
    json.endObject();
    return json.text();
}

} // namespace qx::cli
