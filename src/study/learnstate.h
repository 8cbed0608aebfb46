#pragma once

// The study states of the drill. The values travel in signals and select the operate page,
// the tip line and the shortcuts; any other value is ignored by every receiver.
namespace MEMORA_LERAN {

enum learnState
{
    STATE_ASK = 11,     // a new word is shown; the learner grades how well they know it
    STATE_CONFIRM = 22, // the answer is shown; the learner says whether the grade was right
    STATE_LEARN = 33    // the answer is shown; the learner reads along and memorises
};

} // namespace MEMORA_LERAN
