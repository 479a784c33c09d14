# Filled in with drives and folder listing.
