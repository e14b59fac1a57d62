#pragma once

// After a restore or an upgrade the book is checked at once: a person who restored an old
// backup or started a new program should learn there and then whether the books agree.
namespace booksannouncement {

// Runs the books check on the book and, where it finds differences, tells the person how
// many and the first of them. Says nothing when the books agree.
void checkAndTell();

} // namespace booksannouncement
