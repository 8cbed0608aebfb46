#pragma once

// The codes that pass between the study panels, the learning manager and the methods.
namespace LearnCode {

// The learner's judgement of a word shown in the ask state.
enum Grade
{
    KnowWell = 10,
    Plain = 20,
    Dim = 30,
    Oblivious = 40,
    Unknown = 50
};

// The learner's check after the answer was shown (grades Plain and Dim only).
enum Check
{
    Right = 1,
    Error = 2
};

// The learner moves on from the learn state.
enum Answer
{
    Next = 1
};

// Results of drawing a word that are not a word id.
enum Draw
{
    NothingDue = -1, // no word due now and no new word left; some words still in learning
    AllKnown = -2,   // every word of the course is known well (or the record has no words)
    QuotaUsed = -3,  // plan mode: today's quota of new words is used up
    InUse = -4       // the record is being studied in another session; nothing was opened
};

// TSTUDYWORD STATE values.
enum WordState
{
    New = 0,
    Learning = 1,
    Known = 2
};

} // namespace LearnCode
