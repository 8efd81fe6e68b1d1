// The translation unit that a shared precompiled header is built from; it
// holds nothing of its own.
