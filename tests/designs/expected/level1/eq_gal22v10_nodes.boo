AR = A & B
				; 1 
SP = D +
		C
				; 2 
Q0 :=  /A & Q0 +
		A &  /Q0
				; 2 
Q0.TRST = K
				; 1 
/Q1 := B +
		A
				; 2 
Q2 = C & Q1
				; 1 
Q3.TRST = K +
		J
				; 2 
Q3 = A
				; 1 
/Q4 =  /A & B &  /C & D &  /E & F &  /G & H &  /I & J & K +
		 /A & B &  /C & D &  /E & F &  /G & H & I &  /J & K +
		 /A & B &  /C & D &  /E & F & G &  /H &  /I & J & K +
		 /A & B &  /C & D &  /E & F & G &  /H & I &  /J & K +
		A &  /B & C &  /D & E &  /F &  /G & H &  /I & J &  /K +
		A &  /B & C &  /D & E &  /F &  /G & H & I &  /J &  /K +
		A &  /B & C &  /D & E &  /F & G &  /H &  /I & J &  /K +
		A &  /B & C &  /D & E &  /F & G &  /H & I &  /J &  /K
				; 8 


$__SYMTAB_INFO:
Design_Name: knoten
Gal_Type: 2
Gal_Mode: 4
Clk_Pin: 1
User_ID: K22

Pin_Node: CLK Pin_or_Node: 1 Number: 1 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: C Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: D Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: E Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: F Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: G Pin_or_Node: 1 Number: 8 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: H Pin_or_Node: 1 Number: 9 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: I Pin_or_Node: 1 Number: 10 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: J Pin_or_Node: 1 Number: 11 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 12 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: K Pin_or_Node: 1 Number: 13 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: Q0 Pin_or_Node: 1 Number: 14 Pol: 1 IO: 3 Reg: 1 Trst: 1 Res: 0
Pin_Node: Q1 Pin_or_Node: 1 Number: 15 Pol: 0 IO: 3 Reg: 1 Trst: -1 Res: 0
Pin_Node: Q2 Pin_or_Node: 1 Number: 16 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Q3 Pin_or_Node: 1 Number: 17 Pol: 1 IO: 2 Reg: 0 Trst: 1 Res: 0
Pin_Node: Q4 Pin_or_Node: 1 Number: 18 Pol: 0 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Q5 Pin_or_Node: 1 Number: 19 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: Q6 Pin_or_Node: 1 Number: 20 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: Q7 Pin_or_Node: 1 Number: 21 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: Q8 Pin_or_Node: 1 Number: 22 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: Q9 Pin_or_Node: 1 Number: 23 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 24 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: AR Pin_or_Node: 2 Number: 25 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 1
Pin_Node: SP Pin_or_Node: 2 Number: 26 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 1
