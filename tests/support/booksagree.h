#pragma once

#include "core/connection.h"
#include "documents/bookscheck.h"

#include <gtest/gtest.h>

// The books check finds nothing in the book: each difference it finds fails the test.
inline void expectBooksAgree(Connection& book) {
    for (const BooksDifference& d : checkBooks(book))
        ADD_FAILURE() << d.text().toStdString();
}
