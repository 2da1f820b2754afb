#include "params/SchrijfParSoll.h"

#include "app/TextKeys.h"

namespace {

constexpr TTextKey Captions[] = {
    TextKey::SchrijfParSoll::CaptionMode0, TextKey::SchrijfParSoll::CaptionMode1,
    TextKey::SchrijfParSoll::CaptionMode2, TextKey::SchrijfParSoll::CaptionMode3};
constexpr TTextKey Buttons[] = {TextKey::SchrijfParSoll::CmdOK, TextKey::SchrijfParSoll::CmdAgain,
                                TextKey::SchrijfParSoll::CmdCancel};

} // namespace

TFormSchrijfParSoll::TFormSchrijfParSoll(TLBComm* port, QWidget* parent)
    : TFormParSollTransfer(std::make_unique<TSchrijfParSollSequence>(port), Captions, Buttons,
                           parent) {}
