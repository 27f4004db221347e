#pragma once

#include "PrintJob.h"
#include "Prompter.h"
#include "Spooler.h"

#include "model/ModelType.h"

#include <functional>
#include <optional>
#include <string_view>

namespace qx::output {

/// What SendJobToPrinter returns.
inline constexpr int SendSucceeded = 0;     ///< the spooler took the whole job: show 42013
inline constexpr int SendFailed = -1;       ///< the queue or the write failed: show 42012
inline constexpr int SendNotStarted = 1223; ///< nothing was sent and any message was already shown

inline constexpr int MsgNoPrinterQueue = 42010;      ///< "送信先が見つかりません。..."
inline constexpr int MsgPcCommunicationMode = 42011; ///< "本体をPC通信モードにして下さい"
inline constexpr int MsgSendFailed = 42012;          ///< "データ送信に失敗しました。"
inline constexpr int MsgSendCompleted = 42013;       ///< "データ送信完了"

/// Builds the job once the operator has confirmed (BuildPrintJob with the job's PrintOptions). A
/// refusal's failed cell is the caller's to show in the grid: it keeps the result its builder made.
using PrintJobBuilder = std::function<PrintJobResult()>;

/// The driver name that a queue for the model must carry ("KAV QX-950W3" for the model 9);
/// nothing outside the model indexes 0 to 10.
std::optional<std::string_view> modelDriverName(model::ModelType model);

/// Delivers one job for the model to the spooler: finds the first queue (in the spooler's order)
/// whose driver name equals the model's byte for byte, asks the operator to put the printer into
/// PC communication mode, builds the job only then and writes it as one raw document in a single
/// write. Returns SendSucceeded, SendFailed or SendNotStarted. It shows 42010, 42011 and the
/// builder's refusal message (42002 to 42004) itself; the final 42012 or 42013 is the caller's
/// (see showSendResult).
int SendJobToPrinter(model::ModelType model, Spooler& spooler, Prompter& prompter,
                     const PrintJobBuilder& buildJob);

/// Shows the final message of a print or send command for a SendJobToPrinter result: 42013 with
/// the information icon after success, 42012 after a failure, nothing when nothing was sent.
void showSendResult(int sendResult, Prompter& prompter);

} // namespace qx::output
