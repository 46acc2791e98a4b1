INSERT INTO profile (version) VALUES (670);
