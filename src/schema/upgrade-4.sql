-- Books of version 3 found a product by its code by reading every product.
CREATE INDEX ixProductCode ON Fproduct(prodBH);
