#pragma once

// The size of the large book: ten years of a business with 100,000 products.
struct BookPlan {
    int products = 100000;
    int categories = 100;
    int houses = 10;
    int suppliers = 2000; // besides the casual supplier of the seed rows
    int customers = 5000; // besides the casual customer
    int employees = 20;
    int accounts = 3; // the cash account of the seed rows and two bank accounts
    int purchases = 200000;
    int sales = 600000;
    int purchaseReturns = 20000;
    int saleReturns = 20000;
    int transfers = 20000;
    int lossReports = 10000;
    int linesPerDocument = 5;
    int journalRows = 1000000; // the trade documents' rows topped up with cash entries
    int days = 3652;           // ten years, the last one ending today

    // A smaller book of the same shape (for trying the generator out).
    BookPlan scaled(double factor) const;
};

// Bumped whenever the generator writes a different book, so that an old one is not reused.
inline constexpr int kBookGeneratorVersion = 1;
