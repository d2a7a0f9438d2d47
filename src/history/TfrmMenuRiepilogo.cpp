#include "history/TfrmMenuRiepilogo.h"

TfrmMenuRiepilogo* frmMenuRiepilogo = nullptr;

TfrmMenuRiepilogo::TfrmMenuRiepilogo() : TAppScreen(QStringLiteral(" Onderia - Dizidov Izevude")) {}
