#pragma once

namespace vel::lumo {

class LumoWnd;
class RecoveryStore;

// At start-up: offers the work that runs which ended unexpectedly left in
// the store, newest first, until the user recovers one copy (which the
// window then holds), discards or postpones each, or closes the question.
// Only the records are read until then; a copy that cannot be opened stays
// in the list, to be discarded. Answers whether a copy was recovered.
bool OfferRecovery(LumoWnd& window, const RecoveryStore& store);

} // namespace vel::lumo
