#include "params/LeesParSoll.h"

#include "app/TextKeys.h"

namespace {

constexpr TTextKey Captions[] = {
    TextKey::LeesParSoll::CaptionMode0, TextKey::LeesParSoll::CaptionMode1,
    TextKey::LeesParSoll::CaptionMode2, TextKey::LeesParSoll::CaptionMode3};
constexpr TTextKey Buttons[] = {TextKey::LeesParSoll::CmdOK, TextKey::LeesParSoll::CmdAgain,
                                TextKey::LeesParSoll::CmdCancel};

} // namespace

TFormLeesParSoll::TFormLeesParSoll(TLBComm* port, QWidget* parent)
    : TFormParSollTransfer(std::make_unique<TLeesParSollSequence>(port), Captions, Buttons,
                           parent) {}
