#include "speech/cspeakbase.h"

CSpeakBase::~CSpeakBase() = default;
