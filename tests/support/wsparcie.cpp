// Fixture writers for the tests live in this library.
