// End-to-end tests: filled in as the features land.
