#include "norms/CompiledNorms.h"

#include "norms/NormSetLoader.h"
#include "norms/NormValidator.h"
#include "records/UserError.h"

namespace iksa {

namespace {

struct CompiledState {
    NormSet set;
    QString fault; // empty when the set is sound
};

const CompiledState& compiledState() {
    static const CompiledState state = [] {
        NormSetLoad load = loadNormSet(compiledNormDirectory());
        QStringList problems = load.problems + validateNormSet(load.set);
        CompiledState result{std::move(load.set), {}};
        if (!problems.isEmpty())
            result.fault = QStringLiteral("Normy zabudované do programu jsou vadné (%1 chyb), "
                                          "první: %2")
                               .arg(problems.size())
                               .arg(problems.first());
        return result;
    }();
    return state;
}

const QString NoticeTail = QStringLiteral("lustrativní normy – nejsou určeny pro klinické použití");

} // namespace

QString compiledNormDirectory() {
    return QStringLiteral(":/iksa/norms");
}

const NormSet& compiledNormSet() {
    const CompiledState& state = compiledState();
    if (!state.fault.isEmpty())
        throw UserError(state.fault);
    return state.set;
}

QString illustrativeNormsNotice() {
    return compiledNormSet().illustrative ? QLatin1Char('i') + NoticeTail : QString();
}

QString illustrativeNormsPageNotice() {
    return compiledNormSet().illustrative ? QLatin1Char('I') + NoticeTail : QString();
}

} // namespace iksa
