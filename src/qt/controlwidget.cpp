namespace liquidus {}  // placeholder
