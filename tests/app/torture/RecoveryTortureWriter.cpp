// Writes recovery copies through the editor's own RecoveryCopies, by turns of two large documents,
// until it is killed. The torture test kills it at random moments and reads what is left.
//
// Usage: qx_recovery_torture_writer FOLDER
// Prints "ready" once the first copy is whole.
#include "TortureDocuments.h"
#include "app/RecoveryCopies.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qx_recovery_torture_writer FOLDER\n");
        return 2;
    }
    const std::vector<std::uint8_t> images[2] = {qx::app::torture::tortureImage(0),
                                                 qx::app::torture::tortureImage(1)};
    qx::app::RecoveryCopies copies(QString::fromLocal8Bit(argv[1]));
    if (!copies.isActive() || images[0].empty() || images[1].empty()) {
        return 1;
    }
    const int first = copies.newSerial();
    const int second = copies.newSerial();
    for (unsigned long turn = 0;; ++turn) {
        const int which = static_cast<int>(turn % 2);
        const qx::app::RecoveryInfo info{9, QStringLiteral("/d/torture-%1.QXF").arg(which),
                                         QStringLiteral("torture-%1.QXF").arg(which)};
        if (!copies.write(turn % 3 == 2 ? second : first, info, images[which]).ok) {
            return 1;
        }
        if (turn == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
