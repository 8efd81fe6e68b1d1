// The recovery file of an edited document: its text and its checked write.

#include "benchcommon.h"

#include "recoveryfile.h"
#include "savefile.h"

namespace bench {

void benchRecoveryWrite(benchmark::State &state, int size)
{
    BenchSession *s = withDocument(state, size);
    if (!s)
        return;
    const FileIdentity file = FileIdentity::of(s->dumpPath(), OstrelUserDump, QString());
    const QString path = s->savePath() + QStringLiteral(".recovery.json");
    for (auto _ : state) {
        coldStart(state);
        QString error;
        if (!ostrel::saveFileAtomically(path, recoveryText(s->document().data(), file, QDateTime::currentDateTime()),
                                        &error)) {
            fail(state, error);
            break;
        }
    }
}

} // namespace bench
